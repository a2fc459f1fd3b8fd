#include "link/link_features.h"

#include "link/frame.h"
#include "link/link_events.h"
#include "link/link_state.h"
#include "runtime/words.h"

#include <algorithm>

LinkFeatures g_link_features;

namespace {

void settle(std::vector<std::string> groups) {
    g_link_features.answer = FeaturesAnswer::Known;
    g_link_features.groups = std::move(groups);
    link_features_known();
}

} // namespace

void link_features_ask() {
    g_link_features = LinkFeatures{};
    if (g_link.test_mode || !g_link.connected) return;
    g_link_features.answer = FeaturesAnswer::Pending;
    g_link_features.asked_at = std::chrono::steady_clock::now();
    if (vel_send(g_link.command_socket, "features", 8, Report::Yes) != 0) settle({});
}

void link_features_answered(std::string_view body) {
    std::vector<std::string> groups;
    for (const WordSpan& word : split_words(body))
        groups.emplace_back(body.substr(word.start, word.size));
    settle(std::move(groups));
}

bool link_features_refused(std::string_view mes) {
    if (g_link_features.answer != FeaturesAnswer::Pending) return false;
    // Both interpreters word it "unknown command "features"" after their
    // name; an older one may word it otherwise but still names the command.
    if (mes.find("\"features\"") == std::string_view::npos &&
        mes.find("`features'") == std::string_view::npos)
        return false;
    settle({});
    return true;
}

bool link_features_check_timeout(std::chrono::steady_clock::time_point now) {
    if (g_link_features.answer != FeaturesAnswer::Pending) return false;
    if (now - g_link_features.asked_at < link_features_wait) return false;
    settle({});
    return true;
}

bool link_offers(std::string_view group) {
    const LinkFeatures& f = g_link_features;
    return f.answer == FeaturesAnswer::Known &&
           std::find(f.groups.begin(), f.groups.end(), group) != f.groups.end();
}

void link_features_forget() {
    g_link_features = LinkFeatures{};
}
