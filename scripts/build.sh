#!/usr/bin/env bash
# Configures and builds the project in build/ (executables in build/bin,
# libraries in build/lib).  Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja "$@" >/dev/null
cmake --build build
