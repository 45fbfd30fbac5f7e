// String ids of the messages that refuse what was typed in the entry
// dialogs.  Each is shown with the exclamation icon, and the focus goes to
// the field it names.
#pragma once

#include "framework/wintypes.h"

namespace input_messages {

constexpr UINT kDay = 6102;         // day 1 to 31
constexpr UINT kHour = 6103;        // hour 0 to 30
constexpr UINT kMinute = 6104;      // minute 0 to 59
constexpr UINT kMonth = 6105;       // month 1 to 12
constexpr UINT kSecond = 6106;      // second 0 to 59
constexpr UINT kYear = 6107;        // the year, or a date out of range
constexpr UINT kLonDegrees = 6108;  // longitude 0 to 180
constexpr UINT kLatDegrees = 6109;  // latitude 0 to 90
constexpr UINT kLonMinutes = 6110;
constexpr UINT kLatMinutes = 6111;
constexpr UINT kRealNumber = 6112;  // "実数を入力してください。"

}  // namespace input_messages
