#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs every test there, leak checking on.  Any report
# fails its test.  Leaks inside third-party libraries (Qt's platform and
# font caches, fontconfig) are suppressed by scripts/lsan.supp; nothing of
# ours may be suppressed there.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
./scripts/setup.sh
# The benchmarks are left out: timings under the sanitizers mean nothing.
cmake -S . -B build-asan -G Ninja -DLUMIRA_SANITIZE=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=TRUE >/dev/null
cmake --build build-asan

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-asan
ctest --output-on-failure -j2
