#include "link_features.h"

namespace ostra {

const std::vector<std::string>& link_features() {
    // Each group adds its word here when both interpreters implement it.
    // "vars" and "frames": the variables and the call stack as lists;
    // "varchanges": the variables as what changed since the front end's copy;
    // "breaks": conditions, counts and logpoints on breakpoints; "catch":
    // stops for REXX conditions; "stoplists": the stack and the variables'
    // changes sent with each stop.
    static const std::vector<std::string> words = {"vars",   "varchanges", "frames",
                                                   "breaks", "catch",      "stoplists"};
    return words;
}

std::string features_body() {
    std::string body;
    for (const std::string& word : link_features()) {
        if (!body.empty()) body += ' ';
        body += word;
    }
    return body;
}

} // namespace ostra
