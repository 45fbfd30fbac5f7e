// The inputs kept in fuzz/corpus/ (the seeds, and every input a fuzzer
// once broke a target with) replayed through the same target code that
// fuzz/run builds: a fault that was fixed stays fixed.  A broken property
// aborts the test program, naming the property.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <string>

#include "fuzz/targets/dialog_targets.h"
#include "fuzz/targets/engine_target.h"
#include "fuzz/targets/pad_host_target.h"
#include "fuzz/targets/replies_target.h"
#include "fuzz/targets/sky_files_target.h"
#include "fuzz/targets/text_targets.h"

namespace {

// Runs every kept input of fuzz/corpus/<name>/ through a new `Target`;
// returns how many there were.
template <class Target>
int Replay(const char* name) {
  Target target;
  const QDir dir(QStringLiteral(LUMIRA_SOURCE_DIR "/fuzz/corpus/") + name);
  int count = 0;
  for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name)) {
    QFile in(file.filePath());
    if (!in.open(QIODevice::ReadOnly)) {
      ADD_FAILURE() << "cannot read " << file.filePath().toStdString();
      continue;
    }
    const QByteArray bytes = in.readAll();
    SCOPED_TRACE(file.fileName().toStdString());
    target.Run(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    ++count;
  }
  return count;
}

TEST(FuzzReplay, KeptInputsOfEveryTarget) {
  EXPECT_GT(Replay<fuzz::CRepliesFuzz>("replies"), 0);
  EXPECT_GT(Replay<fuzz::CEngineFuzz>("engine"), 0);
  EXPECT_GT(Replay<fuzz::CObsDialogFuzz>("obs_dialog"), 0);
  EXPECT_GT(Replay<fuzz::CTimeDialogFuzz>("time_dialog"), 0);
  EXPECT_GT(Replay<fuzz::CResourcesFuzz>("resources"), 0);
#ifdef LUMIRA_FUZZ_HAS_SCRIPT
  EXPECT_GT(Replay<fuzz::CScriptFuzz>("script"), 0);
#endif
  EXPECT_GT(Replay<fuzz::CPadHostFuzz>("pad_host"), 0);
  EXPECT_GT(Replay<fuzz::CStarCatalogueFuzz>("star_catalogue"), 0);
  EXPECT_GT(Replay<fuzz::CConstellationsFuzz>("constellations"), 0);
}

}  // namespace
