// The bar drawn at each size: a golden picture per size and scheme.
#include <QWidget>

#include "golden.h"
#include "pad_test.h"

TEST(BarSizeTest, PictureOfEachSizeAndScheme) {
  for (const int scheme : {0, 1}) {
    PadRig rig;
    rig.colorScheme = scheme;
    rig.Build();
    const QImage picture = rig.pad->Widget()->grab().toImage();
    EXPECT_TRUE(MatchesGolden(picture, QString("bar_%1_%2").arg(scheme ? "light" : "dark").arg(100)));
  }
}
