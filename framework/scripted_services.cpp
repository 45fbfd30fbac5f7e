#include "framework/scripted_services.h"

#include "framework/dialog.h"

int CScriptedPrompt::MessageBox(const QString& text, UINT type) {
  m_shown.emplace_back(text, type);
  if (!m_answers.empty()) {
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
  return (type & 0x0F) == MB_YESNO ? IDNO : IDOK;
}

int CScriptedModalRunner::RunModal(CDialog& dialog) {
  ++m_runs;
  if (m_scripts.empty()) return IDCANCEL;
  Script script = std::move(m_scripts.front());
  m_scripts.pop_front();
  script(dialog);
  return dialog.HasEnded() ? dialog.Result() : IDCANCEL;
}

int CScriptedPopup::Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) {
  (void)owner;
  m_shown.push_back(texts);
  m_lastPoint = screenPoint;
  if (m_choices.empty()) return -1;
  const int choice = m_choices.front();
  m_choices.pop_front();
  return choice >= 0 && choice < int(texts.size()) ? choice : -1;
}
