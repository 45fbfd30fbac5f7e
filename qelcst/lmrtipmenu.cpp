// The keyed popup menu: the chosen entry's key goes back to the owner.
#include <string>

#include "host/lmrcontrols.h"

void CLmrTipMenu::RemoveAll() { m_entries.clear(); }

void CLmrTipMenu::Append(const QString& key, const QString& text) { m_entries.emplace_back(key, text); }

int CLmrTipMenu::TrackPopup(CPoint clientPoint, CWnd* owner, UINT message) {
  if (!owner || m_entries.empty()) return 0;
  CAppContext* ctx = owner->ContextPtr();
  if (!ctx || !ctx->popup) return 0;
  CPoint screen = clientPoint;
  owner->ClientToScreen(&screen);
  std::vector<QString> texts;
  texts.reserve(m_entries.size());
  for (const auto& entry : m_entries) texts.push_back(entry.second);
  const int chosen = ctx->popup->Choose(texts, owner, screen);
  if (chosen < 0 || chosen >= int(m_entries.size())) return 0;
  // The key stays alive for the whole call of the owner's handler.
  const std::string key = m_entries[size_t(chosen)].first.toStdString();
  owner->SendMessage(message, 0, reinterpret_cast<LPARAM>(key.c_str()));
  return chosen;
}
