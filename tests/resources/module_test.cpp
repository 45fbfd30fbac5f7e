// Loading the pad module registers its resources; a module whose
// resources cannot be read refuses to load.
#include <QFile>
#include <gtest/gtest.h>

#include "pad/module.h"

namespace {

TEST(ModuleEntry, RegistersTheResourcesAtLoad) {
  EXPECT_EQ(QelpadResourcePrefix(), ":/qelpad/");
  EXPECT_TRUE(QFile(QelpadResourcePrefix() + "resources.rc").exists());
  QString why = "unchanged";
  EXPECT_TRUE(QelpadResourcesReadable(QelpadResourcePrefix(), &why));
  EXPECT_TRUE(why.isEmpty());
  for (const char* name : {"DATEU", "DATED", "DATEF", "DATEX", "OBSU", "OBSD", "OBSF", "OBSX",
                           "6013", "6233"}) {
    EXPECT_TRUE(QFile(QelpadResourcePrefix() + "bitmaps/" + name + ".bmp").exists()) << name;
  }
}

TEST(ModuleEntry, ReportsResourcesThatCannotBeRead) {
  QString why;
  EXPECT_FALSE(QelpadResourcesReadable(":/nowhere/", &why));
  EXPECT_TRUE(why.contains(":/nowhere/resources.rc")) << why.toStdString();
  EXPECT_FALSE(QelpadResourcesReadable(":/nowhere/", nullptr));
}

TEST(ModuleEntryDeathTest, EndsTheProcessWhenTheResourcesAreMissing) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(QelpadRequireResources(":/nowhere/"), ::testing::ExitedWithCode(1),
              "qelpad: cannot register the pad's resources: :/nowhere/resources.rc is missing");
  // A readable module passes the check and the process goes on.
  QelpadRequireResources(QelpadResourcePrefix());
  SUCCEED();
}

}  // namespace
