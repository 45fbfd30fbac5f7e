// The pad's reply readers (see targets/replies_target.h).
#include "fuzz_main.h"
#include "targets/replies_target.h"

LUMIRA_FUZZ_TARGET(fuzz::CRepliesFuzz, false)
