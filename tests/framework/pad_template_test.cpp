// The module's own resource script builds: the pad bar's template 5000
// and the two entry dialogs.
#include <QFileInfo>
#include <cstdlib>
#include <QWidget>
#include <gtest/gtest.h>

#include "framework/scripted_services.h"
#include "host/lmrcontrols.h"

namespace {

QString ResourceDir() { return QStringLiteral(LUMIRA_SOURCE_DIR "/res/"); }

}  // namespace

TEST(ModuleResources, PadBarTemplateLaysOutAsDesigned) {
  if (!QFileInfo::exists(ResourceDir() + QStringLiteral("resources.rc"))) GTEST_SKIP() << "no resource script";
  InstallFontSubstitutions();
  CResources res;
  QString error;
  ASSERT_TRUE(res.Load(ResourceDir(), &error)) << error.toStdString();
  CScriptedServices s;
  CAppContext ctx = s.Context(&res);
  CDialogBar bar(ctx);
  ASSERT_TRUE(bar.Create(nullptr, 5000, 0x402830, 5000));
  CRect client;
  bar.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 469, 29));

  auto clientRect = [&](int id) {
    CRect r;
    bar.GetDlgItem(id)->GetWindowRect(&r);
    bar.ScreenToClient(&r);
    return r;
  };
  EXPECT_EQ(clientRect(6232).right, 49) << "the date text starts at x = 50";
  EXPECT_EQ(clientRect(6206).left, 51);
  const CRect arrow = clientRect(6018);
  EXPECT_EQ(arrow.Width(), 9) << "the arrow static takes its bitmap's size";
  EXPECT_EQ(arrow.Height(), 16);
  for (int hidden : {6008, 6217, 6218}) EXPECT_FALSE(bar.GetDlgItem(hidden)->Widget()->isVisibleTo(bar.Widget())) << hidden;
  EXPECT_EQ(clientRect(6217), CRect(233, 2, 256, 26)) << "slot of 13 x 15 units";

  CWnd* arrowStatic = bar.GetDlgItem(6018);
  arrowStatic->UpdateWindow();
  CBitmap arrowImage;
  ASSERT_TRUE(arrowImage.LoadBitmap(res, 6013u));
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 9; ++x)
      ASSERT_EQ(CDC(&arrowStatic->Surface()).GetPixel(x, y), CDC(&arrowImage.Image()).GetPixel(x, y))
          << "the arrow static shows its bitmap at " << x << "," << y;

  CLmrStatic date;
  EXPECT_TRUE(date.Attach(6206, &bar));
  EXPECT_EQ(date.GetWindowText(), QStringLiteral("1234/05/06 07:08:09"));
  EXPECT_EQ(bar.LoadString(6206), QStringLiteral("現在の日時を表示します"));
  EXPECT_TRUE(bar.LoadString(6100).startsWith(QStringLiteral("\"時刻の固定")));

  CBitmap moon;
  ASSERT_TRUE(moon.LoadBitmap(res, 6233u));
  EXPECT_EQ(moon.GetSize(), CSize(570, 19));
  CBitmap up;
  ASSERT_TRUE(up.LoadBitmap(res, "DATEU"));
  EXPECT_EQ(up.GetSize(), CSize(16, 15));

  for (int id : {6025, 6026}) {
    CLmrDialog dlg(ctx, UINT(id));
    ASSERT_TRUE(dlg.CreateFromTemplate()) << id;
    dlg.UpdateWindow();
    EXPECT_EQ(CDC(&dlg.Surface()).GetPixel(3, 3), CLmrDialogBase::kBackColor) << id;
    if (const char* dir = std::getenv("LUMIRA_SHOTS")) {
      const QImage shot = dlg.Widget()->grab().toImage();
      shot.scaled(shot.size() * 3).save(QStringLiteral("%1/dialog%2.png").arg(QString::fromUtf8(dir)).arg(id));
    }
    dlg.DestroyWindow();
  }
}
