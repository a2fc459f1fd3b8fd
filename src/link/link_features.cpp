#include "link/link_features.h"

#include <algorithm>

LinkFeatures g_link_features;

bool link_offers(std::string_view word) {
    const std::vector<std::string>& words = g_link_features.words;
    return g_link_features.answered && std::find(words.begin(), words.end(), word) != words.end();
}

void link_features_arrived(std::string_view body) {
    g_link_features.answered = true;
    g_link_features.words.clear();
    std::size_t at = 0;
    while (at < body.size()) {
        const std::size_t end = std::min(body.find(' ', at), body.size());
        if (end > at) g_link_features.words.emplace_back(body.substr(at, end - at));
        at = end + 1;
    }
}
