// The pad module's resources as the pad reads them: the texts it shows,
// the pictures it draws, the templates it builds; a module whose
// resources cannot be read refuses to load.
#include <gtest/gtest.h>

#include "framework/resources.h"
#include "pad/module.h"

namespace {

TEST(PadResources, HoldWhatThePadReads) {
  CResources res;
  QString error;
  ASSERT_TRUE(res.Load(QelpadResourcePrefix(), &error)) << error.toStdString();
  const std::pair<UINT, const char*> strings[] = {
      {6206, "現在の日時を表示します"},
      {6008, "現在の月齢を表示します。"},
      {6100, "\"時刻の固定(日時ダイアログ)\"を解除してアニメーションを開始します。"},
      {6101, "\"時刻の固定(日時ダイアログ)\"を解除して時間を変更します。"},
      {6107, "日時の年には 紀元前 99999 から西暦 99999 までの値を入力してください。"},
      {6110, "経度の分には 0 から 59.9 までの値を入力してください。"},
      {6112, "実数を入力してください。"},
  };
  for (const auto& [id, text] : strings) EXPECT_EQ(res.String(id).value_or("").toStdString(), text) << id;
  EXPECT_FALSE(res.String(6113).has_value());

  struct Picture {
    const char* name;
    QSize size;
  };
  const Picture pictures[] = {{"DATEU", {16, 15}}, {"DATED", {16, 15}}, {"DATEF", {16, 15}},
                              {"DATEX", {16, 15}}, {"OBSU", {16, 15}},  {"OBSD", {16, 15}},
                              {"OBSF", {16, 15}},  {"OBSX", {16, 15}},  {"6013", {9, 16}},
                              {"6233", {570, 19}}};
  for (const Picture& p : pictures) EXPECT_EQ(res.Bitmap(p.name).size(), p.size) << p.name;

  const std::pair<int, std::size_t> templates[] = {{5000, 9}, {6025, 20}, {6026, 14}};
  for (const auto& [id, controls] : templates) {
    const CDialogTemplate* dlg = res.Dialog(id);
    ASSERT_NE(dlg, nullptr) << id;
    EXPECT_EQ(dlg->controls.size(), controls) << id;
  }
}

TEST(PadResourcesDeathTest, AModuleWithoutItsResourcesFailsToLoad) {
  QString why;
  EXPECT_TRUE(QelpadResourcesReadable(QelpadResourcePrefix(), &why));
  EXPECT_FALSE(QelpadResourcesReadable(":/nowhere/", &why));
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(QelpadRequireResources(":/nowhere/"), ::testing::ExitedWithCode(1),
              "qelpad: cannot register the pad's resources: :/nowhere/resources.rc is missing");
}

}  // namespace
