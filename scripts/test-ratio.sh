#!/usr/bin/env bash
# Prints the size of the tests against the production code: non-blank lines
# of .cpp and .h files under tests/ over those of every top-level folder of
# production code (all but bench/, fuzz/, tests/, docs/, scripts/, cmake/
# and build folders), leaving out the generated time-zone table.  Counts the
# files git knows or would add, so build output never counts.
set -euo pipefail
cd "$(dirname "$0")/.."

not_production='^(bench|fuzz|tests|docs|scripts|cmake|build[^/]*)/'
generated='^qelobs/zone_table\.cpp$'

source_files() {
  git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' |
    tr '\0' '\n' | while read -r f; do if [ -f "$f" ]; then echo "$f"; fi; done
}
non_blank_lines() {  # reads file names, prints their non-blank line count
  xargs -r -d '\n' grep -Hc '[^[:space:]]' | awk -F: '{ n += $NF } END { print n + 0 }'
}

files=$(source_files)
tests=$(grep '^tests/' <<<"$files" | non_blank_lines)
production=$(grep '/' <<<"$files" | grep -Ev "$not_production" | grep -Ev "$generated" |
             non_blank_lines)
ratio=$(awk -v t="$tests" -v p="$production" 'BEGIN { printf "%.2f", t / p }')
echo "tests: $tests lines, production: $production lines, ratio: $ratio"
