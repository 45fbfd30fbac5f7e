// What the window learns from the engine's command observer.
#pragma once

#include <string_view>

namespace lumira {

// Whether a command may have changed the engine's state: anything but
// queries and empty statements (a text that does not parse counts as a
// change, since the statements before the faulty one did run).
bool CommandMayChangeState(std::string_view command);

}  // namespace lumira
