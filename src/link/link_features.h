// The groups of the link the interpreter offers beyond the base commands,
// from its answer to `features` (interp/README.md, "Extensions of the
// link"). An interpreter that has not answered offers none: a front end
// uses a group only once it is named here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct LinkFeatures {
    bool answered = false;          // a features message came on this connection
    std::vector<std::string> words; // the groups it named ("vars", "frames", ...)
};

extern LinkFeatures g_link_features;

// Whether the interpreter named `word` in its features answer.
bool link_offers(std::string_view word);

// The body of a features message: the words separated by blanks.
void link_features_arrived(std::string_view body);
