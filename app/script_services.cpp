#include "app/script_services.h"

#include "framework/dialog.h"
#include "pad/time_systems.h"

namespace lumira {
namespace {

// An entry's text without the mark of the current entry (" * ") or the
// blanks that stand in its place.
QString Unmarked(const QString& text) {
  QString t = text;
  if (t.startsWith(" * ")) t = t.mid(3);
  return t.trimmed();
}

}  // namespace

std::string CReplyOverrides::Execute(const char* command) {
  const auto it = m_replies.find(command);
  if (it == m_replies.end()) return m_next.Execute(command);
  m_out("> " + QString::fromUtf8(command));
  m_out("< " + QString::fromStdString(it->second));
  return it->second;
}

int CReplayPrompt::MessageBox(const QString& text, UINT type) {
  QString oneLine = text;
  oneLine.replace('\n', "\\n");
  if ((type & 0x0F) == MB_YESNO) {
    m_out("? " + oneLine);
    const bool yes = !m_answers.empty() && m_answers.front();
    if (!m_answers.empty()) m_answers.pop_front();
    return yes ? IDYES : IDNO;
  }
  m_out("! " + oneLine);
  return IDOK;
}

int CReplayPopup::Choose(const std::vector<QString>& texts, CWnd* owner, CPoint screenPoint) {
  (void)owner;
  (void)screenPoint;
  return m_answer ? m_answer(texts) : -1;
}

int CReplayModalRunner::RunModal(CDialog& dialog) {
  Steps steps = std::move(m_steps);
  m_steps = nullptr;
  if (steps) steps(dialog);
  // Left open by the script: closed as with Escape.
  if (!dialog.HasEnded()) dialog.EndDialog(IDCANCEL);
  return dialog.Result();
}

int MenuEntryOfKey(const std::vector<QString>& texts, const QString& key) {
  // A time system's key names the entry that shows its name, in the
  // language the menu is in.
  const QByteArray latin = key.toLatin1();
  const timesys::Info* system = timesys::OfKey(std::string_view(latin.constData(), size_t(latin.size())));
  const QString shown = system ? timesys::Name(*system) : key;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (Unmarked(texts[i]) == shown) return int(i);
  }
  return -1;
}

}  // namespace lumira
