// The star catalogue and marker readers (see targets/sky_files_target.h).
#include "fuzz_main.h"
#include "targets/sky_files_target.h"

LUMIRA_FUZZ_TARGET(fuzz::CStarCatalogueFuzz, false)
