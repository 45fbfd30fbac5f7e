// What each property answers and accepts.
#pragma once

#include <string>

#include "sky/sky_state.h"
#include "sky/statement.h"

namespace sky {

// Seconds that a time system's clock is ahead of UT in this state.
double ZoneSeconds(const SkyState& state, TimeSystem system);

class StarCatalogue;

// Appends the answer of a query statement to the reply.  False with the
// reason in `error` when a position query names no object that `stars`
// (which may be null) or the solar system holds: the reason then starts
// with "unknown object".
bool AnswerQuery(const SkyState& state, const Statement& query, const StarCatalogue* stars,
                 std::string& reply, std::string* error);

// Carries out an assignment, or leaves the state untouched and says why.
bool Assign(SkyState& state, const Statement& assignment, std::string* error);

}  // namespace sky
