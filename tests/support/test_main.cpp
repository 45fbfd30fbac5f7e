// Test entry: a QApplication on the offscreen platform, so every test can
// create windows and paint without a display, and settings of its own:
// CTest runs tests side by side, and a test that writes the colour scheme
// must not change what another one reads.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM") || !*std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settings;
  if (settings.isValid()) QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
