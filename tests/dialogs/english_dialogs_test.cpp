// Both entry dialogs in English, as pictures: every text translated where
// the dialog is built, and each one inside the Japanese template's
// geometry.
#include <QCoreApplication>
#include <QTranslator>

#include "dialog_test.h"
#include "golden.h"
#include "pad/time_systems.h"

TEST_F(DialogTest, EnglishDialogsLookAsRecorded) {
  QTranslator english;
  ASSERT_TRUE(english.load(":/i18n/lumira_en.qm"));
  QCoreApplication::installTranslator(&english);
  auto date = OpenTime(Calendar(timesys::kJST, 2006, 12, 4, 9, 30, 15));
  auto obs = OpenObs(139.7447, 35.6544);
  EXPECT_TRUE(MatchesGolden(date->Widget()->grab().toImage(), "date-dialog-en"));
  EXPECT_TRUE(MatchesGolden(obs->Widget()->grab().toImage(), "obs-dialog-en"));
  QCoreApplication::removeTranslator(&english);
}
