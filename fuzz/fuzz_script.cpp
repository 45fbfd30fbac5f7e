// The host application's script reader (see targets/text_targets.h).
#include "fuzz_main.h"
#include "targets/text_targets.h"

LUMIRA_FUZZ_TARGET(fuzz::CScriptFuzz, false)
