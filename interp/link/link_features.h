// The groups of commands and messages this interpreter adds to the link. A
// front end asks once, after the handshake, with `features`; the answer is
// one `features` message whose body is these words, each followed by one
// blank but the last. A front end uses a group only when its word came back,
// and the session never sends a message of a group that was not asked for,
// so a front end that never asks sees the link as it always was. (Not named
// features.h: that would shadow the C library's header of that name.)
#pragma once

#include <string>
#include <vector>

namespace ostra {

const std::vector<std::string>& link_features();

// The body of the `features` message.
std::string features_body();

} // namespace ostra
