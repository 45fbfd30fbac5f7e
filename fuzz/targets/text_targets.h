// The two text formats read from files: the module's resource script
// (CResources::Parse) and the host application's recorded sessions
// (lumira::ParseScript).  Besides not crashing: a refusal says why (and
// on which line), what a parse accepts can be looked up, and every line of
// an accepted script reads the same on its own.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "framework/resources.h"
#include "fuzz_check.h"

// The script reader lives in the host application's library; programs
// linked with it define LUMIRA_FUZZ_HAS_SCRIPT.
#ifdef LUMIRA_FUZZ_HAS_SCRIPT
#include "app/script.h"
#endif

namespace fuzz {

class CResourcesFuzz {
 public:
  void Run(const uint8_t* data, size_t size) {
    const QString script = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    CResources resources;
    QString error;
    const bool ok = resources.Parse(script, &error);
    FUZZ_CHECK(ok || !error.isEmpty(), "a refused script without a reason");
    for (int id : {5000, 6025, 6026}) {
      if (const CDialogTemplate* dialog = resources.Dialog(id)) {
        FUZZ_CHECK(dialog->id == id, "dialog %d filed under %d", dialog->id, id);
      }
    }
    for (UINT id : {6100u, 6101u, 6102u, 6112u}) (void)resources.String(id);
  }
};

#ifdef LUMIRA_FUZZ_HAS_SCRIPT
class CScriptFuzz {
 public:
  void Run(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<lumira::ScriptLine> lines;
    lumira::ScriptError error;
    const bool ok = lumira::ParseScript(text, &lines, &error);
    if (!ok) {
      FUZZ_CHECK(lines.empty(), "a refused script returned lines");
      FUZZ_CHECK(error.lineNumber >= 1 && !error.message.isEmpty(), "refused on line %d without a reason",
                 error.lineNumber);
      return;
    }
    const QStringList raw = text.split('\n');
    int previous = 0;
    for (const lumira::ScriptLine& line : lines) {
      FUZZ_CHECK(line.lineNumber > previous && line.lineNumber <= raw.size(), "line number %d", line.lineNumber);
      previous = line.lineNumber;
      lumira::ScriptLine again;
      QString message;
      FUZZ_CHECK(lumira::ParseScriptLine(raw[line.lineNumber - 1], line.lineNumber, &again, &message),
                 "line %d does not read on its own", line.lineNumber);
      FUZZ_CHECK(again.kind == line.kind, "line %d reads differently on its own", line.lineNumber);
    }
  }
};
#endif

}  // namespace fuzz
