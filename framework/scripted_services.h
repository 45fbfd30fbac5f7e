// Services for tests and replays: answers are queued in advance, and what
// the code under test showed is recorded.
#pragma once

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "framework/services.h"
#include "framework/virtual_clock.h"

// Message boxes answered from a queue.  With the queue empty a yes/no
// question gets IDNO and anything else IDOK.
class CScriptedPrompt : public IPrompt {
 public:
  void Answer(int answer) { m_answers.push_back(answer); }
  int MessageBox(const QString& text, UINT type) override;
  const std::vector<std::pair<QString, UINT>>& Shown() const { return m_shown; }
  QString LastText() const { return m_shown.empty() ? QString() : m_shown.back().first; }
  void ClearShown() { m_shown.clear(); }
  int PendingAnswers() const { return int(m_answers.size()); }

 private:
  std::deque<int> m_answers;
  std::vector<std::pair<QString, UINT>> m_shown;
};

// Modal dialogs run by scripts: each RunModal takes the next script and
// runs it against the live dialog (its window exists, OnInitDialog has
// run); the result is the dialog's end code if the script ended it, else
// IDCANCEL.  No script left: IDCANCEL at once.
class CScriptedModalRunner : public IModalRunner {
 public:
  using Script = std::function<void(CDialog&)>;
  void Push(Script script) { m_scripts.push_back(std::move(script)); }
  int RunModal(CDialog& dialog) override;
  int Runs() const { return m_runs; }
  int PendingScripts() const { return int(m_scripts.size()); }

 private:
  std::deque<Script> m_scripts;
  int m_runs = 0;
};

class CScriptedKeyboard : public IKeyboardState {
 public:
  void SetShift(bool down) { m_shift = down; }
  bool IsShiftDown() const override { return m_shift; }

 private:
  bool m_shift = false;
};

// Popup menus answered from a queue of indices (-1 dismisses); with the
// queue empty the menu is dismissed.  Records the texts of every menu.
class CScriptedPopup : public IPopupChooser {
 public:
  void Choose(int index) { m_choices.push_back(index); }
  int Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) override;
  const std::vector<std::vector<QString>>& Shown() const { return m_shown; }
  CPoint LastPoint() const { return m_lastPoint; }

 private:
  std::deque<int> m_choices;
  std::vector<std::vector<QString>> m_shown;
  CPoint m_lastPoint;
};

class CRecordingStatusSink : public IStatusSink {
 public:
  void SetMessageText(const QString& text) override {
    m_last = text;
    ++m_count;
  }
  const QString& Last() const { return m_last; }
  int Count() const { return m_count; }

 private:
  QString m_last;
  int m_count = 0;
};

// Every scripted service in one place, and the context that uses them.
// Resources and the main window are the test's to set.
struct CScriptedServices {
  CVirtualClock clock;
  CScriptedPrompt prompt;
  CScriptedModalRunner modal;
  CScriptedKeyboard keyboard;
  CScriptedPopup popup;
  CRecordingStatusSink status;

  CAppContext Context(const CResources* resources = nullptr, CWnd* mainWnd = nullptr) {
    CAppContext ctx;
    ctx.timers = &clock;
    ctx.prompt = &prompt;
    ctx.modal = &modal;
    ctx.keyboard = &keyboard;
    ctx.popup = &popup;
    ctx.status = &status;
    ctx.resources = resources;
    ctx.mainWnd = mainWnd;
    return ctx;
  }
};
