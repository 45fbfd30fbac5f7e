// Resource scripts for the layer's tests.
#pragma once

#include <QString>
#include <gtest/gtest.h>

#include "framework/resources.h"

// A bar (7000) and a dialog (7001) shaped like the pad's, with strings.
inline const char* kTestScript = R"rc(
// test bar
7000 DIALOGEX 0, 0, 100, 18
STYLE WS_CHILD
FONT 9, "ＭＳ Ｐゴシック"
BEGIN
    CONTROL "", 7108, "Static", SS_BLACKFRAME | NOT WS_VISIBLE, 4, 1, 14, 15
    CONTROL "AD", 7132, "Static", SS_LEFT | WS_VISIBLE, 18, 5, 10, 8
    CONTROL "12345", 7106, "Button", BS_OWNERDRAW | WS_VISIBLE, 29, 4, 40, 10
    CONTROL "MJD", 7134, "Static", SS_RIGHT | WS_VISIBLE, 70, 5, 15, 8
    CONTROL "", 7117, "Button", BS_PUSHBUTTON | BS_BITMAP | NOT WS_VISIBLE, 86, 1, 13, 15
END

7001 DIALOGEX 0, 0, 195, 37
STYLE WS_POPUP | WS_BORDER
EXSTYLE WS_EX_CLIENTEDGE
FONT 9, "ＭＳ Ｐゴシック"
BEGIN
    AUTORADIOBUTTON "紀元前", 1076, 4, 5, 31, 10, WS_GROUP | WS_TABSTOP
    AUTORADIOBUTTON "西暦", 1077, 37, 5, 26, 10
    COMBOBOX 6029, 68, 3, 52, 94, CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP
    PUSHBUTTON "OK", IDOK, 122, 3, 32, 13
    PUSHBUTTON "ｷｬﾝｾﾙ", IDCANCEL, 157, 3, 32, 13
    EDITTEXT 1000, 4, 19, 29, 12, ES_RIGHT
    LTEXT "年", 1068, 34, 22, 9, 8
    EDITTEXT 1003, 45, 19, 40, 12, ES_LEFT | ES_AUTOHSCROLL
    CONTROL "北", 1080, "Button", BS_AUTORADIOBUTTON | WS_GROUP, 100, 5, 25, 10
    CONTROL "南", 1081, "Button", BS_AUTORADIOBUTTON, 130, 5, 25, 10
END

STRINGTABLE
BEGIN
    7106, "日時を表示します"
    7108, "月齢を表示します"
    7132  "紀元を表示します"
    7117, """引用""です"
END

MARK BITMAP "mark.bmp"
7013 BITMAP "bitmaps\arrow.bmp"
)rc";

inline void LoadTestResources(CResources& res) {
  QString error;
  ASSERT_TRUE(res.Parse(QString::fromUtf8(kTestScript), &error)) << error.toStdString();
}
