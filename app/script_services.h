// The seams of a replayed session: message boxes that print themselves and
// take their answers from the script, a Shift key the script holds, a
// popup menu and modal dialogs that the script's next lines answer.
//
// They print through the same output as the runner, so that every event
// of a run comes out in the order it happened.
#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <map>
#include <string>

#include "framework/services.h"
#include "host/corlmr.h"

namespace lumira {

using ScriptOutput = std::function<void(const QString& line)>;

// Question boxes (Yes/No) print "? TEXT" and take the next queued answer,
// No when none is queued; every other box prints "! TEXT" and is
// acknowledged.
class CReplayPrompt : public IPrompt {
 public:
  explicit CReplayPrompt(ScriptOutput out) : m_out(std::move(out)) {}
  void QueueAnswer(bool yes) { m_answers.push_back(yes); }
  int MessageBox(const QString& text, UINT type) override;

 private:
  ScriptOutput m_out;
  std::deque<bool> m_answers;
};

// Shift is down while the script holds it (`shift down`) or for the one
// event that names it.
class CReplayKeyboard : public IKeyboardState {
 public:
  void SetHeld(bool down) { m_held = down; }
  void SetMomentary(bool down) { m_momentary = down; }
  bool IsShiftDown() const override { return m_held || m_momentary; }

 private:
  bool m_held = false;
  bool m_momentary = false;
};

// The menu is answered by whoever runs the script (a look at its next
// line); -1 dismisses it.
class CReplayPopup : public IPopupChooser {
 public:
  using Answer = std::function<int(const std::vector<QString>& texts)>;
  explicit CReplayPopup(Answer answer) : m_answer(std::move(answer)) {}
  int Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) override;

 private:
  Answer m_answer;
};

// The pad's host once a `reply` line has given a query an answer of the
// script's own: that query gets it, printed as an exchange, and every
// other command goes on to the host behind.
class CReplyOverrides : public CCorLmr {
 public:
  CReplyOverrides(CCorLmr& next, ScriptOutput out) : m_next(next), m_out(std::move(out)) {}
  void Set(const std::string& query, const std::string& reply) { m_replies[query] = reply; }
  std::string Execute(const char* command) override;

 private:
  CCorLmr& m_next;
  ScriptOutput m_out;
  std::map<std::string, std::string> m_replies;
};

// Runs an open dialog by the script: `m_steps` acts on it as a user
// would; a dialog still open after them is cancelled.
class CReplayModalRunner : public IModalRunner {
 public:
  using Steps = std::function<void(CDialog& dialog)>;
  // The steps for the next dialog that opens (used once).
  void SetSteps(Steps steps) { m_steps = std::move(steps); }
  bool HasSteps() const { return bool(m_steps); }
  int RunModal(CDialog& dialog) override;

 private:
  Steps m_steps;
};

// Which entry of a menu a script's key names: the key of the time-system
// menu ("JST", "UT", "UTD", "LST", "LMT", "JD", "MJD", "ST", in menu order)
// or an entry's shown text without its mark ("世界時").  -1 for none.
int MenuEntryOfKey(const std::vector<QString>& texts, const QString& key);

}  // namespace lumira
