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

// Runs every kept input of fuzz/corpus/<name>/ through `target`; returns
// how many there were.
template <class Target>
int Replay(const char* name, Target& target) {
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
  fuzz::CRepliesFuzz replies;
  EXPECT_GT(Replay("replies", replies), 0);
  fuzz::CEngineFuzz engine;
  EXPECT_GT(Replay("engine", engine), 0);
  fuzz::CObsDialogFuzz obs;
  EXPECT_GT(Replay("obs_dialog", obs), 0);
  fuzz::CTimeDialogFuzz time;
  EXPECT_GT(Replay("time_dialog", time), 0);
  fuzz::CResourcesFuzz resources;
  EXPECT_GT(Replay("resources", resources), 0);
#ifdef LUMIRA_FUZZ_HAS_SCRIPT
  fuzz::CScriptFuzz script;
  EXPECT_GT(Replay("script", script), 0);
#endif
  fuzz::CPadHostFuzz pad;
  EXPECT_GT(Replay("pad_host", pad), 0);
  fuzz::CStarCatalogueFuzz stars;
  EXPECT_GT(Replay("star_catalogue", stars), 0);
  fuzz::CConstellationsFuzz figures;
  EXPECT_GT(Replay("constellations", figures), 0);
}

}  // namespace
