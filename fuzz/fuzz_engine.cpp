// The engine's command interpreter (see targets/engine_target.h).
#include "fuzz_main.h"
#include "targets/engine_target.h"

LUMIRA_FUZZ_TARGET(fuzz::CEngineFuzz, false)
