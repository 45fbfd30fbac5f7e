// Control and string ids of the date/time dialog (template 6025).
#pragma once

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

constexpr UINT kMsgDay = 6102;
constexpr UINT kMsgHour = 6103;
constexpr UINT kMsgMinute = 6104;
constexpr UINT kMsgMonth = 6105;
constexpr UINT kMsgSecond = 6106;
constexpr UINT kMsgYear = 6107;

constexpr int kJdEditLimit = 16;       // "%.6f" of a Julian day down to -34803211.5
constexpr int kRealDayEditLimit = 9;   // "%.6f" of a real day up to 31.999999

}  // namespace settime
