#include "app/script_services.h"

#include "framework/dialog.h"

namespace lumira {
namespace {

// The time-system menu's keys and the names its entries show.
struct MenuKey {
  const char* key;
  const char* shown;
};
const MenuKey kTimeSysMenu[] = {
    {"JST", "日本時"},       {"UT", "世界時"},     {"UTD", "世界時(日)"}, {"LST", "地方標準時"},
    {"LMT", "地方平時"},     {"JD", "ﾕﾘｳｽ日"},     {"MJD", "準ﾕﾘｳｽ日"},  {"ST", "恒星時"},
};

// An entry's text without the mark of the current entry (" * ") or the
// blanks that stand in its place.
QString Unmarked(const QString& text) {
  QString t = text;
  if (t.startsWith(" * ")) t = t.mid(3);
  return t.trimmed();
}

}  // namespace

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
  QString shown = key;
  for (const MenuKey& k : kTimeSysMenu) {
    if (key == k.key) shown = QString::fromUtf8(k.shown);
  }
  for (size_t i = 0; i < texts.size(); ++i) {
    if (Unmarked(texts[i]) == shown) return int(i);
  }
  return -1;
}

}  // namespace lumira
