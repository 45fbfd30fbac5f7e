// The module's own resource script builds: the pad bar's template 5000,
// its arrow showing its bitmap, and the two entry dialogs.
#include <QFileInfo>
#include <QWidget>
#include <gtest/gtest.h>

#include "framework/scripted_services.h"
#include "host/lmrcontrols.h"

TEST(ModuleResources, PadBarAndDialogsBuildFromTheScript) {
  const QString dir = QStringLiteral(LUMIRA_SOURCE_DIR "/res/");
  if (!QFileInfo::exists(dir + QStringLiteral("resources.rc"))) GTEST_SKIP() << "no resource script";
  InstallFontSubstitutions();
  CResources res;
  QString error;
  ASSERT_TRUE(res.Load(dir, &error)) << error.toStdString();
  CScriptedServices s;
  CAppContext ctx = s.Context(&res);
  CDialogBar bar(ctx);
  ASSERT_TRUE(bar.Create(nullptr, 5000, 0x402830, 5000));
  CRect client;
  bar.GetClientRect(&client);
  EXPECT_EQ(client, CRect(0, 0, 469, 29));
  for (int hidden : {6008, 6217, 6218}) EXPECT_FALSE(bar.GetDlgItem(hidden)->Widget()->isVisibleTo(bar.Widget())) << hidden;

  CWnd* arrowStatic = bar.GetDlgItem(6018);
  arrowStatic->UpdateWindow();
  CBitmap arrow;
  ASSERT_TRUE(arrow.LoadBitmap(res, 6013u));
  EXPECT_EQ(arrowStatic->Surface().size(), QSize(9, 16)) << "the arrow static takes its bitmap's size";
  EXPECT_EQ(arrowStatic->Surface().convertToFormat(QImage::Format_RGB32),
            arrow.Image().convertToFormat(QImage::Format_RGB32));

  CLmrStatic date;
  EXPECT_TRUE(date.Attach(6206, &bar));
  EXPECT_EQ(date.GetWindowText(), QStringLiteral("1234/05/06 07:08:09"));
  EXPECT_EQ(bar.LoadString(6206), QStringLiteral("現在の日時を表示します"));

  for (int id : {6025, 6026}) {
    CLmrDialog dlg(ctx, UINT(id));
    ASSERT_TRUE(dlg.CreateFromTemplate()) << id;
    dlg.UpdateWindow();
    EXPECT_EQ(CDC(&dlg.Surface()).GetPixel(3, 3), CLmrDialogBase::kBackColor) << id;
    dlg.DestroyWindow();
  }
}
