// The pad reading a host that answers anything (see targets/pad_host_target.h).
#include "fuzz_main.h"
#include "targets/pad_host_target.h"

LUMIRA_FUZZ_TARGET(fuzz::CPadHostFuzz, true)
