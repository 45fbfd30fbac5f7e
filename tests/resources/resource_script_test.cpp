// The pad module's resource script, read the way the pad reads it: every
// control of the bar and of the two entry dialogs, the status texts, the
// messages and the bitmaps it names.
#include <QImage>
#include <gtest/gtest.h>

#include "framework/resources.h"
#include "pad/module.h"

namespace {

struct ExpectedControl {
  int id;
  const char* className;
  const char* text;
  std::uint32_t style;
  int x, y, cx, cy;
};

class PadResources : public ::testing::Test {
 protected:
  void SetUp() override {
    QString error;
    ASSERT_TRUE(m_res.Load(QelpadResourcePrefix(), &error)) << error.toStdString();
  }

  // The dialog's controls, in template order, as the rows say.
  void ExpectControls(int dialogId, const std::vector<ExpectedControl>& rows) {
    const CDialogTemplate* dlg = m_res.Dialog(dialogId);
    ASSERT_NE(dlg, nullptr) << dialogId;
    ASSERT_EQ(dlg->controls.size(), rows.size()) << dialogId;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const CControlTemplate& c = dlg->controls[i];
      const ExpectedControl& e = rows[i];
      SCOPED_TRACE(testing::Message() << "dialog " << dialogId << " control " << e.id);
      EXPECT_EQ(c.id, e.id);
      EXPECT_EQ(c.className.toStdString(), e.className);
      EXPECT_EQ(c.text.toStdString(), e.text);
      EXPECT_EQ(c.style, e.style) << std::hex << c.style << " vs " << e.style;
      EXPECT_EQ(c.x, e.x);
      EXPECT_EQ(c.y, e.y);
      EXPECT_EQ(c.cx, e.cx);
      EXPECT_EQ(c.cy, e.cy);
    }
  }

  CResources m_res;
};

// Every control is a child window; it is visible unless its template says
// NOT WS_VISIBLE.
constexpr std::uint32_t C = WS_CHILD;
constexpr std::uint32_t V = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kRightEdit = ES_RIGHT | WS_BORDER | WS_TABSTOP | V;
constexpr std::uint32_t kLabel = SS_LEFT | V;
constexpr std::uint32_t kButton = BS_PUSHBUTTON | WS_TABSTOP | V;

TEST_F(PadResources, BarTemplateHoldsTheNineControlsInOrder) {
  const CDialogTemplate* bar = m_res.Dialog(5000);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->style, WS_CHILD);
  EXPECT_EQ(bar->cx, 268);
  EXPECT_EQ(bar->cy, 18);
  EXPECT_TRUE(bar->caption.isEmpty());
  EXPECT_EQ(bar->fontName, QString::fromUtf8("ＭＳ Ｐゴシック"));
  EXPECT_EQ(bar->fontPoints, 9);
  ExpectControls(5000, {
      {6008, "Static", "", SS_BLACKFRAME | C, 4, 1, 14, 15},
      {6232, "Static", "AD", SS_LEFT | V, 18, 5, 10, 8},
      {6206, "Button", "1234/05/06 07:08:09", BS_OWNERDRAW | V, 29, 4, 80, 10},
      {6234, "Static", "MJD", SS_RIGHT | V, 111, 5, 15, 8},
      {6018, "Static", "#6013", SS_BITMAP | V, 126, 3, 5, 11},
      {6212, "Button", "135.69E 35.00N", BS_OWNERDRAW | V, 148, 4, 67, 10},
      {6007, "Button", "6.5", BS_OWNERDRAW | V, 232, 4, 17, 10},
      {6217, "Button", "", BS_PUSHBUTTON | BS_BITMAP | C, 133, 1, 13, 15},
      {6218, "Button", "", BS_PUSHBUTTON | BS_BITMAP | C, 217, 1, 13, 15},
  });
}

TEST_F(PadResources, DateTimeDialogHoldsEveryField) {
  const CDialogTemplate* dlg = m_res.Dialog(6025);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->style, WS_POPUP | WS_BORDER);
  EXPECT_EQ(dlg->exStyle, WS_EX_CLIENTEDGE);
  EXPECT_EQ(dlg->cx, 195);
  EXPECT_EQ(dlg->cy, 37);
  EXPECT_TRUE(dlg->caption.isEmpty());
  EXPECT_EQ(dlg->fontName, QString::fromUtf8("ＭＳ Ｐゴシック"));
  EXPECT_EQ(dlg->fontPoints, 9);
  const std::uint32_t kLeftEdit = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP | V;
  ExpectControls(6025, {
      {1076, "Button", "紀元前", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | V, 4, 5, 31, 10},
      {1077, "Button", "西暦", BS_AUTORADIOBUTTON | V, 37, 5, 26, 10},
      {6029, "ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP | V,
       68, 3, 52, 94},
      {1, "Button", "OK", kButton, 122, 3, 32, 13},
      {2, "Button", "ｷｬﾝｾﾙ", kButton, 157, 3, 32, 13},
      {1000, "Edit", "", kRightEdit, 4, 19, 29, 12},
      {1068, "Static", "年", kLabel, 34, 22, 9, 8},
      {1002, "Edit", "", kRightEdit, 45, 19, 17, 12},
      {1069, "Static", "月", kLabel, 63, 22, 9, 8},
      {1001, "Edit", "", kRightEdit, 74, 19, 17, 12},
      {1070, "Static", "日", kLabel, 92, 22, 9, 8},
      {1083, "Edit", "", kRightEdit, 103, 19, 17, 12},
      {1012, "Static", "時", kLabel, 121, 22, 9, 8},
      {1009, "Edit", "", kRightEdit, 132, 19, 17, 12},
      {1013, "Static", "分", kLabel, 150, 22, 9, 8},
      {1011, "Edit", "", kRightEdit, 161, 19, 17, 12},
      {1022, "Static", "秒", kLabel, 179, 22, 9, 8},
      {1003, "Edit", "", kLeftEdit, 4, 19, 95, 12},
      {1084, "Edit", "", kLeftEdit, 74, 19, 40, 12},
      {1071, "Static", "日", kLabel, 115, 22, 9, 8},
  });
}

TEST_F(PadResources, LocationDialogHoldsEveryField) {
  const CDialogTemplate* dlg = m_res.Dialog(6026);
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->style, WS_POPUP | WS_BORDER);
  EXPECT_EQ(dlg->exStyle, WS_EX_CLIENTEDGE);
  EXPECT_EQ(dlg->cx, 203);
  EXPECT_EQ(dlg->cy, 37);
  EXPECT_TRUE(dlg->caption.isEmpty());
  EXPECT_EQ(dlg->fontName, QString::fromUtf8("ＭＳ Ｐゴシック"));
  const std::uint32_t kFirstRadio = BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP | V;
  ExpectControls(6026, {
      {6030, "Button", "東経", kFirstRadio, 4, 5, 25, 10},
      {6031, "Button", "西経", BS_AUTORADIOBUTTON | V, 33, 5, 24, 10},
      {6032, "Edit", "", kRightEdit | WS_GROUP, 4, 19, 18, 12},
      {6034, "Static", "度", kLabel, 23, 22, 9, 8},
      {6033, "Edit", "", kRightEdit, 34, 19, 23, 12},
      {6035, "Static", "分", kLabel, 58, 22, 9, 8},
      {1080, "Button", "北緯", kFirstRadio, 72, 5, 25, 10},
      {1081, "Button", "南緯", BS_AUTORADIOBUTTON | V, 101, 5, 24, 10},
      {1001, "Edit", "", kRightEdit | WS_GROUP, 72, 19, 18, 12},
      {1070, "Static", "度", kLabel, 92, 22, 9, 8},
      {1003, "Edit", "", kRightEdit, 102, 19, 23, 12},
      {1071, "Static", "分", kLabel, 126, 22, 9, 8},
      {1, "Button", "OK", kButton, 130, 3, 32, 13},
      {2, "Button", "ｷｬﾝｾﾙ", kButton, 164, 3, 32, 13},
  });
}

TEST_F(PadResources, StringTableHoldsStatusTextsAndMessages) {
  const std::pair<UINT, const char*> strings[] = {
      {6206, "現在の日時を表示します"},
      {6212, "観測地の経緯度を表示します"},
      {6007, "現在の限界等級を表示します"},
      {6008, "現在の月齢を表示します。"},
      {6217, "日付パッドで日時を変更します"},
      {6218, "場所パッドで場所を変更します"},
      {6232, "紀元前(BC)／紀元後(AD)を表示します"},
      {6234, "時刻系を変更します"},
      {6018, "時刻系を変更します。"},
      {6100, "\"時刻の固定(日時ダイアログ)\"を解除してアニメーションを開始します。"},
      {6101, "\"時刻の固定(日時ダイアログ)\"を解除して時間を変更します。"},
      {6102, "日時の日には 1 から 31 までの値を入力してください。"},
      {6103, "日時の時には 0 から 30 までの値を入力してください。"},
      {6104, "日時の分には 0 から 59 までの値を入力してください。"},
      {6105, "日時の月には 1 から 12 までの値を入力してください。"},
      {6106, "日時の秒には 0 から 59 までの値を入力してください。"},
      {6107, "日時の年には 紀元前 99999 から西暦 99999 までの値を入力してください。"},
      {6108, "経度の度には 0 から 180 までの値を入力してください。"},
      {6109, "緯度の度には 0 から 90 までの値を入力してください。"},
      {6110, "経度の分には 0 から 59.9 までの値を入力してください。"},
      {6111, "緯度の分には 0 から 59.9 までの値を入力してください。"},
      {6112, "実数を入力してください。"},
  };
  for (const auto& [id, text] : strings) {
    const std::optional<QString> got = m_res.String(id);
    ASSERT_TRUE(got.has_value()) << id;
    EXPECT_EQ(got->toStdString(), std::string(text)) << id;
  }
  // An id without an entry reads as none.
  EXPECT_FALSE(m_res.String(5000).has_value());
  EXPECT_FALSE(m_res.String(6113).has_value());
}

TEST_F(PadResources, EveryBitmapLoadsWithItsSize) {
  for (const char* name : {"DATEU", "DATED", "DATEF", "DATEX", "OBSU", "OBSD", "OBSF", "OBSX"}) {
    const QImage img = m_res.Bitmap(name);
    EXPECT_EQ(img.size(), QSize(16, 15)) << name;
  }
  EXPECT_EQ(m_res.Bitmap("6013").size(), QSize(9, 16));
  EXPECT_EQ(m_res.Bitmap("6233").size(), QSize(570, 19));
  // The arrow static names its picture as "#6013".
  const CDialogTemplate* bar = m_res.Dialog(5000);
  ASSERT_NE(bar, nullptr);
  for (const CControlTemplate& c : bar->controls) {
    if ((c.style & 0x1F) == SS_BITMAP && c.className == "Static") {
      ASSERT_TRUE(c.text.startsWith('#'));
      EXPECT_FALSE(m_res.Bitmap(c.text.mid(1)).isNull()) << c.text.toStdString();
    }
  }
  EXPECT_TRUE(m_res.Bitmap("NOSUCH").isNull());
}

}  // namespace
