// A log view that keeps showing its newest line while it is scrolled to
// the end, also when its height changes (a bar floated or docked again
// around it); scrolled back by the user, it stays where it was put.
#pragma once

class QPlainTextEdit;

namespace lumira {

void FollowNewLines(QPlainTextEdit* log);

}  // namespace lumira
