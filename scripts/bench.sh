#!/usr/bin/env bash
# Builds every benchmark in Release (build-bench/) and runs them one after
# the other; the figures go to the terminal and to
# build-bench/bench-results.txt.  Each benchmark runs 3 times and reports
# the median; extra arguments go to every benchmark program (for example
# --benchmark_filter=Tick or --benchmark_repetitions=10).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
mapfile -t programs < <(cmake --build build-bench --target help | grep -oE '\bbench_[a-z_]+' |
                        grep -v '_autogen' | sort -u)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no benchmarks configured (is libbenchmark-dev installed?)" >&2
  exit 1
fi
cmake --build build-bench --target "${programs[@]}"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
results=build-bench/bench-results.txt
{
  echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//'), $(nproc) cores"
  echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
} | tee "$results"
for program in "${programs[@]}"; do
  echo "== $program" | tee -a "$results"
  "build-bench/bin/$program" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_color=false "$@" 2>&1 | grep -vE "does not support (grabbing the mouse|propagateSizeHints)" |
    tee -a "$results"
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)" | tee -a "$results"
