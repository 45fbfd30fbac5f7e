// The pad module's resources: a module whose resources cannot be read
// refuses to load.  (The texts, pictures and templates the pad reads are
// pinned where it shows them: the pad's tables, the recorded sessions and
// the golden pictures.)
#include <gtest/gtest.h>

#include "framework/resources.h"
#include "pad/module.h"

TEST(PadResourcesDeathTest, AModuleWithoutItsResourcesFailsToLoad) {
  QString why;
  EXPECT_TRUE(QelpadResourcesReadable(QelpadResourcePrefix(), &why)) << why.toStdString();
  EXPECT_FALSE(QelpadResourcesReadable(":/nowhere/", &why));
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(QelpadRequireResources(":/nowhere/"), ::testing::ExitedWithCode(1),
              "qelpad: cannot register the pad's resources: :/nowhere/resources.rc is missing");
}
