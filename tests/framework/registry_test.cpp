// Settings: the colour scheme in [General] of the user's INI file.
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

#include "host/registry.h"

namespace {

QString SettingsFile() {
  return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Lumira"), QStringLiteral("Lumira"))
      .fileName();
}

void WriteFile(const QByteArray& contents) {
  const QString path = SettingsFile();
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(contents);
}

}  // namespace

TEST(Registry, ReadsTheColourSchemeFromGeneral) {
  ASSERT_TRUE(SettingsFile().startsWith(QDir::tempPath())) << "tests must not touch real settings";
  WriteFile("[General]\nColorScheme=1\n\n[Pad]\nWidth=7\nBroken=abc\n");
  int scheme = -5;
  EXPECT_TRUE(CRegistry::Read("General", "ColorScheme", 0, &scheme, 1));
  EXPECT_EQ(scheme, 1);
  int width = 0;
  EXPECT_TRUE(CRegistry::Read("Pad", "Width", 0, &width, 1));
  EXPECT_EQ(width, 7);

  int value = -5;
  EXPECT_FALSE(CRegistry::Read("Pad", "Broken", 3, &value, 1));
  EXPECT_EQ(value, 3) << "not a number: the default";
  EXPECT_FALSE(CRegistry::Read("General", "Missing", 0, &value, 1));
  EXPECT_EQ(value, 0);
  EXPECT_FALSE(CRegistry::Read("General", "ColorScheme", 0, nullptr, 1));

  QFile::remove(SettingsFile());
  EXPECT_FALSE(CRegistry::Read("General", "ColorScheme", 0, &scheme, 1));
  EXPECT_EQ(scheme, 0) << "no file: scheme 0";
}

TEST(Registry, WritesGeneralWithoutAGroup) {
  QFile::remove(SettingsFile());
  EXPECT_TRUE(CRegistry::Write("General", "ColorScheme", 2));
  EXPECT_TRUE(CRegistry::Write("Pad", "Width", 9));
  QFile f(SettingsFile());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray text = f.readAll();
  EXPECT_TRUE(text.contains("[General]\nColorScheme=2")) << text.constData();
  EXPECT_FALSE(text.contains("%General"));
  int v = 0;
  EXPECT_TRUE(CRegistry::Read("General", "ColorScheme", 0, &v, 1));
  EXPECT_EQ(v, 2);
  EXPECT_TRUE(CRegistry::Read("Pad", "Width", 0, &v, 1));
  EXPECT_EQ(v, 9);
  CRegistry object;  // constructs and ends
  QFile::remove(SettingsFile());
}
