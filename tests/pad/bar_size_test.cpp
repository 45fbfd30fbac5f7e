// The bar drawn at each size: a golden picture per size and scheme, and
// the digit under each device pixel at the edges of a cell.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

#include "golden.h"
#include "pad_probe.h"
#include "pad_rig.h"

TEST(BarSizeTest, PictureOfEachSizeAndScheme) {
  for (const int scheme : {0, 1}) {
    PadRig rig;
    rig.colorScheme = scheme;
    rig.Build();
    for (const int percent : {100, 150, 200}) {
      rig.pad->SetScalePercent(percent);
      const QImage picture = rig.pad->Widget()->grab().toImage();
      EXPECT_TRUE(MatchesGolden(picture, QString("bar-%1-%2").arg(scheme ? "system" : "dark").arg(percent)));
    }
  }
}

namespace {

// Moves the pointer to a device pixel of the bar and answers the digit the
// pad then marks.
int DigitUnder(PadRig& rig, int x, int y) {
  QMouseEvent move(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(rig.pad->Widget(), &move);
  return CLumiraPadProbe(*rig.pad).EdgeDigit();
}

}  // namespace

TEST(BarSizeTest, DevicePixelsAtTheEdgesOfACellSelectItsDigit) {
  PadRig rig;
  rig.Build();
  CRect date;  // the year's digits 0 to 3, a cell each, at 100 %
  rig.pad->GetDlgItem(6206)->GetWindowRect(&date);
  rig.pad->ScreenToClient(&date);
  for (const int percent : {150, 200}) {
    rig.pad->SetScalePercent(percent);
    const CScale scale{percent, {}};
    const int y = scale.Device(date.top + date.Height() / 2);
    for (const int digit : {1, 2}) {
      const int cell = date.left + CLmrStatic::kCellWidth * digit;
      const int first = scale.Device(cell), last = scale.Device(cell + CLmrStatic::kCellWidth) - 1;
      EXPECT_EQ(DigitUnder(rig, first - 1, y), digit - 1) << percent;
      EXPECT_EQ(DigitUnder(rig, first, y), digit) << percent;
      EXPECT_EQ(DigitUnder(rig, last, y), digit) << percent;
      EXPECT_EQ(DigitUnder(rig, last + 1, y), digit + 1) << percent;
    }
    EXPECT_EQ(rig.services.status.Last(), QString::fromUtf8("現在の日時を表示します")) << percent;  // its fly-by
  }
}
