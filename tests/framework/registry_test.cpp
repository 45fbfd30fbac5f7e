// Settings: the colour scheme in [General] of the user's INI file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include "host/registry.h"

TEST(Registry, ReadsAndWritesTheIniFile) {
  const QString path =
      QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Lumira"), QStringLiteral("Lumira")).fileName();
  ASSERT_TRUE(path.startsWith(QDir::tempPath())) << "tests must not touch real settings";
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("[General]\nColorScheme=1\n\n[Pad]\nWidth=7\nBroken=abc\n");
  f.close();
  // {section, key} -> found, and the value read (the default 3 when not found).
  const std::pair<std::pair<const char*, const char*>, std::pair<bool, int>> cases[] = {
      {{"General", "ColorScheme"}, {true, 1}}, {{"Pad", "Width"}, {true, 7}},
      {{"Pad", "Broken"}, {false, 3}},         {{"General", "Missing"}, {false, 3}}};
  for (const auto& [key, read] : cases) {
    int value = -5;
    EXPECT_EQ(CRegistry::Read(key.first, key.second, 3, &value, 1), read.first) << key.second;
    EXPECT_EQ(value, read.second) << key.second;
  }

  QFile::remove(path);
  int scheme = -5;
  EXPECT_FALSE(CRegistry::Read("General", "ColorScheme", 0, &scheme, 1));
  EXPECT_EQ(scheme, 0) << "no file: scheme 0";
  EXPECT_TRUE(CRegistry::Write("General", "ColorScheme", 2));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("[General]\nColorScheme=2")) << "General without a group prefix";
  f.close();
  QFile::remove(path);
}
