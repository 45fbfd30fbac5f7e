// Resource scripts for the layer's tests.
#pragma once

#include <QString>
#include <gtest/gtest.h>

#include "framework/resources.h"

// A bar (7000) and a dialog (7001) shaped like the pad's, and two bitmaps.
inline const char* kTestScript = R"rc(
7000 DIALOGEX 0, 0, 100, 18
STYLE WS_CHILD
FONT 9, "ＭＳ Ｐゴシック"
BEGIN
    CONTROL "AD", 7132, "Static", SS_LEFT | WS_VISIBLE, 18, 5, 10, 8
    CONTROL "12345", 7106, "Button", BS_OWNERDRAW | WS_VISIBLE, 29, 4, 40, 10
END

7001 DIALOGEX 0, 0, 195, 37
STYLE WS_POPUP | WS_BORDER
FONT 9, "ＭＳ Ｐゴシック"
BEGIN
    AUTORADIOBUTTON "紀元前", 1076, 4, 5, 31, 10, WS_GROUP | WS_TABSTOP
    AUTORADIOBUTTON "西暦", 1077, 37, 5, 26, 10
    PUSHBUTTON "OK", IDOK, 122, 3, 32, 13
    PUSHBUTTON "ｷｬﾝｾﾙ", IDCANCEL, 157, 3, 32, 13
    EDITTEXT 1000, 4, 19, 29, 12, ES_RIGHT
END

MARK BITMAP "mark.bmp"
7013 BITMAP "bitmaps\arrow.bmp"
)rc";

inline void LoadTestResources(CResources& res) {
  QString error;
  ASSERT_TRUE(res.Parse(QString::fromUtf8(kTestScript), &error)) << error.toStdString();
}
