#include "pad/time_systems.h"

#include <QCoreApplication>
#include <iterator>

namespace timesys {
namespace {

// In menu order; the dialog lists the same systems but sidereal time.
constexpr Info kTable[kMenuEntries] = {
    {kJST, "JST", "日本時", 0, 0, kHostZoneTime, true},
    {kUT, "UT", "世界時", 1, 1, kHostUniversalTime, true},
    {kUTD, "UTD", "世界時(日)", 2, 2, kHostUniversalTime, false},
    {kLST, "LST", "地方標準時", 3, 3, kHostZoneTime, true},
    {kLMT, "LMT", "地方平時", 4, 4, kHostLocalMeanTime, true},
    {kJD, "JD", "ﾕﾘｳｽ日", 5, 5, kHostUniversalTime, false},
    {kMJD, "MJD", "準ﾕﾘｳｽ日", 6, 6, kHostUniversalTime, false},
    {kST, "ST", "恒星時", 7, -1, kHostUniversalTime, false},
};

template <typename Match>
const Info* FindBy(Match match) {
  for (const Info& info : kTable) {
    if (match(info)) return &info;
  }
  return nullptr;
}

}  // namespace

const Info* Find(int code) {
  return FindBy([code](const Info& i) { return i.code == code; });
}

const Info* AtMenu(int menuIndex) {
  return FindBy([menuIndex](const Info& i) { return i.menuIndex == menuIndex; });
}

const Info* AtDialog(int dialogIndex) {
  if (dialogIndex < 0) return nullptr;
  return FindBy([dialogIndex](const Info& i) { return i.dialogIndex == dialogIndex; });
}

const Info* OfKey(std::string_view key) {
  return FindBy([key](const Info& i) { return key == i.key; });
}

QString Name(const Info& info, NameUse use) {
  return QCoreApplication::translate("timesys", info.text, use == NameUse::List ? "list" : nullptr);
}

}  // namespace timesys
