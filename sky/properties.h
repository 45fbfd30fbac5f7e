// What each property answers and accepts.
#pragma once

#include <string>

#include "sky/sky_state.h"
#include "sky/statement.h"

namespace sky {

// Seconds that a time system's clock is ahead of UT in this state.
double ZoneSeconds(const SkyState& state, TimeSystem system);

// Appends the answer of a query statement to the reply.
void AnswerQuery(const SkyState& state, const Statement& query, std::string& reply);

// Carries out an assignment, or leaves the state untouched and says why.
bool Assign(SkyState& state, const Statement& assignment, std::string* error);

}  // namespace sky
