// Compares a picture with a golden one kept in tests/golden/NAME.png.
//
// A golden picture says in one file what a pixel loop says in fifty lines:
// every pixel of a bar, a dialog or a bitmap as it should look.  When a
// drawing change is meant, rerun the test with LUMIRA_UPDATE_GOLDEN=1 to
// write the new pictures, look at them, and commit them with the change.
// On a mismatch the actual picture is written next to the build's test
// programs (NAME.actual.png) so that it can be looked at.
#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

inline ::testing::AssertionResult MatchesGolden(const QImage& actual, const QString& name) {
  const QString path = QStringLiteral(LUMIRA_SOURCE_DIR "/tests/golden/") + name + ".png";
  const QImage picture = actual.convertToFormat(QImage::Format_RGB32);
  if (qEnvironmentVariableIntValue("LUMIRA_UPDATE_GOLDEN") == 1) {
    QDir().mkpath(QStringLiteral(LUMIRA_SOURCE_DIR "/tests/golden"));
    if (!picture.save(path))
      return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
    return ::testing::AssertionSuccess();
  }
  const QImage golden(path);
  if (golden.isNull())
    return ::testing::AssertionFailure()
           << "no golden picture " << name.toStdString()
           << " (write it with LUMIRA_UPDATE_GOLDEN=1)";
  const QImage expected = golden.convertToFormat(QImage::Format_RGB32);
  if (expected == picture) return ::testing::AssertionSuccess();
  const QString saved = QDir::currentPath() + "/" + name + ".actual.png";
  picture.save(saved);
  auto failure = ::testing::AssertionFailure() << name.toStdString() << " differs from its golden picture";
  if (expected.size() != picture.size())
    failure << ": size " << picture.width() << "x" << picture.height() << ", golden " << expected.width() << "x"
            << expected.height();
  return failure << "; the actual picture is " << saved.toStdString();
}
