// Which groups of commands beyond the basic link the connected interpreter
// offers, as its answer to "features" named them. vel asks once, right after
// the handshake; an interpreter that answers with an error, or not within a
// short time, offers none. Every subsystem that sends a group's commands
// asks link_offers first.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

enum class FeaturesAnswer {
    NotAsked, // no interpreter asked on this connection
    Pending,  // asked, no answer yet
    Known,    // answered (or refused, or timed out): `groups` holds what is offered
};

struct LinkFeatures {
    FeaturesAnswer answer = FeaturesAnswer::NotAsked;
    std::vector<std::string> groups;
    std::chrono::steady_clock::time_point asked_at{};
};

extern LinkFeatures g_link_features;

// How long vel waits for the answer before it takes the interpreter to
// offer nothing.
constexpr std::chrono::milliseconds link_features_wait{2000};

// Sends "features" (not in test mode, where no interpreter answers).
void link_features_ask();

// The "features" message: its body, the offered groups separated by blanks.
void link_features_answered(std::string_view body);

// A "mes" from the interpreter: true when it is the refusal of "features"
// by an interpreter that does not know it (the answer is then known: none).
bool link_features_refused(std::string_view mes);

// Pending longer than link_features_wait: the answer is taken as none.
// Returns true when this call settled it.
bool link_features_check_timeout(std::chrono::steady_clock::time_point now);

// True when the answer is known and names `group`.
bool link_offers(std::string_view group);

// The connection closed: nothing is known about the next interpreter.
void link_features_forget();
