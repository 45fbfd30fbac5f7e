#include "app/engine_watch.h"

#include <string>

#include "sky/statement.h"

namespace lumira {

bool CommandMayChangeState(std::string_view command) {
  for (size_t pos = 0;;) {
    const size_t end = sky::StatementEnd(command, pos);
    sky::Statement statement;
    std::string error;
    if (!sky::ParseStatement(command.substr(pos, end - pos), &statement, &error)) return true;
    if (statement.kind != sky::StatementKind::Query && statement.kind != sky::StatementKind::Empty) return true;
    if (end >= command.size()) return false;
    pos = end + 1;
  }
}

}  // namespace lumira
