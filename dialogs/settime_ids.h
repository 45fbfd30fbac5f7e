// Control and string ids of the date/time dialog (template 6025).
#pragma once

#include "dialogs/input_messages.h"
#include "framework/wintypes.h"

namespace settime {

constexpr UINT kTemplateId = 6025;

constexpr int kIdBC = 1076;       // era radios, first of their group
constexpr int kIdAD = 1077;
constexpr int kIdTimeSys = 6029;  // time-system list
constexpr int kIdYear = 1000;
constexpr int kIdMonth = 1002;
constexpr int kIdDay = 1001;
constexpr int kIdHour = 1083;
constexpr int kIdMinute = 1009;
constexpr int kIdSecond = 1011;
constexpr int kIdJd = 1003;       // Julian or modified Julian day
constexpr int kIdRealDay = 1084;  // real day of universal time with a decimal day
constexpr int kIdLabelYear = 1068;
constexpr int kIdLabelMonth = 1069;
constexpr int kIdLabelDay = 1070;
constexpr int kIdLabelHour = 1012;
constexpr int kIdLabelMinute = 1013;
constexpr int kIdLabelSecond = 1022;
constexpr int kIdLabelRealDay = 1071;

constexpr UINT kMsgDay = input_messages::kDay;
constexpr UINT kMsgHour = input_messages::kHour;
constexpr UINT kMsgMinute = input_messages::kMinute;
constexpr UINT kMsgMonth = input_messages::kMonth;
constexpr UINT kMsgSecond = input_messages::kSecond;
constexpr UINT kMsgYear = input_messages::kYear;
constexpr UINT kMsgRealNumber = input_messages::kRealNumber;

constexpr int kJdEditLimit = 16;       // "%.6f" of a Julian day down to -34803211.5
constexpr int kRealDayEditLimit = 9;   // "%.6f" of a real day up to 31.999999

}  // namespace settime
