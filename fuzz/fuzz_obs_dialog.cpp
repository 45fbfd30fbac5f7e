// The location dialog's input checks (see targets/dialog_targets.h).
#include "fuzz_main.h"
#include "targets/dialog_targets.h"

LUMIRA_FUZZ_TARGET(fuzz::CObsDialogFuzz, true)
