#!/usr/bin/env bash
# Measures how many seeded faults the test suite finds.
usage() {
  cat <<'EOF'
Usage: scripts/mutation-sample.sh [--list] SEED N
       scripts/mutation-sample.sh --sites FILE

Draws N mutants with SEED from the production code of pad/, dialogs/,
qelacl/ and sky/ as committed at HEAD (uncommitted changes are not seen),
then, in a scratch copy built once, applies each in turn, rebuilds, and runs
the suite (without the "stellarium" and "install" labels), stopping at its first failure.
A mutant is "killed" when a test fails or times out, "survived" when the
suite passes, "stillborn" when it does not compile (not counted).  Prints
the survivors and the score killed / (N - stillborn).

Mutations: a comparison flipped (== and !=, < and >=, > and <=), && and ||
swapped, an integer literal one up or one down, true and false (TRUE and
FALSE) swapped, a call statement removed.  Comments, literals, preprocessor
lines and the lines of static_assert/assert/Q_ASSERT are never mutated.
The same SEED and N on the same code give the same mutants.

  --list                 print the sample and stop (nothing is built)
  --sites FILE           run the mutants listed in FILE, one a line as --list
                         prints them (e.g. the survivors of an earlier sample)
  MUTATION_WORKDIR=DIR   build in DIR and keep it, so that a later run on the
                         same commit starts with the build already done
  MUTATION_SUITE_LIMIT=S seconds after which one suite run counts as hung
                         (default: three times the unmutated run, at least 300)

Exits 0 whatever the score; 2 when the tool itself cannot run, e.g. when
the unmutated suite does not pass.
EOF
}
set -euo pipefail

list_only=0 sites_file=""
if [ "${1:-}" = "--list" ]; then list_only=1; shift; fi
if [ "${1:-}" = "--sites" ] && [ $# -eq 2 ] && [ $list_only -eq 0 ]; then
  sites_file=$(realpath "$2") count=$(grep -c . "$2") what="$2, N $count"
elif [ $# -ne 2 ] || ! [[ $1 =~ ^[0-9]+$ && $2 =~ ^[0-9]+$ ]]; then
  usage >&2; exit 1
else
  seed=$1 count=$2 what="seed $1, N $2"
fi

repo=$(cd "$(dirname "$0")/.." && git rev-parse --show-toplevel)
sites="$repo/scripts/mutation_sites.py"
commit=$(git -C "$repo" rev-parse HEAD)

fail() { echo "mutation-sample: $*" >&2; exit 2; }

if [ $list_only -eq 1 ]; then
  listing=$(mktemp -d)
  trap 'rm -rf "$listing"' EXIT
  git -C "$repo" archive HEAD pad dialogs qelacl sky | tar -x -C "$listing"
  python3 "$sites" sample "$listing" "$seed" "$count"
  exit 0
fi

started=$SECONDS
if [ -n "${MUTATION_WORKDIR:-}" ]; then
  work=$(mkdir -p "$MUTATION_WORKDIR" && cd "$MUTATION_WORKDIR" && pwd)
else
  work=$(mktemp -d)
fi
pristine="$work/pristine"   # HEAD as committed, never built or changed
tree="$work/tree"           # the copy that is mutated and built
build="$tree/build"
logs="$work/logs"
mutated=""                  # the file currently holding a mutant
suite=""                    # the running suite's timeout process

restore() {
  if [ -n "$mutated" ]; then cp "$pristine/$mutated" "$tree/$mutated"; mutated=""; fi
}
finish() {
  if [ -n "$suite" ]; then kill -TERM "$suite" 2>/dev/null || true; wait "$suite" || true; fi
  restore
  if [ -z "${MUTATION_WORKDIR:-}" ]; then rm -rf "$work"; fi
}
trap finish EXIT
trap 'exit 130' INT TERM

# The copies: refreshed when HEAD moved; otherwise files a stopped run left
# mutated are put back (with a fresh time stamp, so that they rebuild).
if [ "$(cat "$work/commit" 2>/dev/null)" != "$commit" ]; then
  rm -rf "$pristine" "$tree" "$logs"
  mkdir -p "$pristine" "$tree"
  git -C "$repo" archive HEAD | tar -x -C "$pristine"
  git -C "$repo" archive HEAD | tar -x -m -C "$tree"
  echo "$commit" >"$work/commit"
else
  (cd "$pristine" && find pad dialogs qelacl sky -type f) | while read -r f; do
    cmp -s "$pristine/$f" "$tree/$f" || cp "$pristine/$f" "$tree/$f"
  done
fi
mkdir -p "$logs"

# Paths below the scratch copy are hashed relative to it, so that objects
# compiled in other work trees are ccache hits here.
export CCACHE_BASEDIR="$tree"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

echo "Configuring and building $commit in $work (ccache, -j2) ..."
cmake -S "$tree" -B "$build" -G Ninja \
      -DCMAKE_LINK_DEPENDS_NO_SHARED=ON \
      -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$logs/configure.log" 2>&1 ||
  fail "configure failed, see $logs/configure.log"
# Only what the suite needs: the test programs (CTest lists a program's
# tests only once it exists, even those -LE leaves out), the application the
# recorded sessions start, and the engine's console (so that its mutants
# are compiled, and one that does not compile counts as stillborn).
mapfile -t targets < <(cmake --build "$build" --target help |
  sed -n 's/^\(test_[a-z_]*\): phony$/\1/p' | grep -Ev '_(live|autogen|autogen_timestamp_deps)$')
targets+=(lumira lumira-sky)
build_targets() { cmake --build "$build" -j2 --target "${targets[@]}"; }
build_targets >"$logs/build.log" 2>&1 || fail "the unmutated code does not build, see $logs/build.log"

# timeout runs the suite in a process group of its own, out of reach of a
# Ctrl-C; waiting for it in the background lets the INT trap stop it at once.
run_suite() {  # run_suite LOG [LIMIT]: status 0 when every test passes
  local limit=${2:-0} status=0
  (cd "$build" && exec timeout -k 10 "$limit" \
     ctest --stop-on-failure -LE 'stellarium|install' -j2 --timeout 120) >>"$1" 2>&1 &
  suite=$!
  wait "$suite" || status=$?
  suite=""
  return "$status"
}

echo "Running the unmutated suite ..."
suite_started=$SECONDS
run_suite "$logs/unmutated.log" 0 || fail "the unmutated suite fails, see $logs/unmutated.log"
grep -q "100% tests passed" "$logs/unmutated.log" || fail "no tests ran, see $logs/unmutated.log"
suite_seconds=$((SECONDS - suite_started))
limit=${MUTATION_SUITE_LIMIT:-$((suite_seconds * 3 > 300 ? suite_seconds * 3 : 300))}
echo "Unmutated suite passes in ${suite_seconds}s (a run longer than ${limit}s counts as hung)."

if [ -n "$sites_file" ]; then
  mapfile -t sample < <(grep . "$sites_file")
else
  mapfile -t sample < <(python3 "$sites" sample "$tree" "$seed" "$count")
fi
[ ${#sample[@]} -eq "$count" ] || fail "could not draw $count mutants"

killed=0 survived=0 stillborn=0 index=0
survivors=()
mutating_started=$SECONDS
for entry in "${sample[@]}"; do
  IFS=$'\t' read -r path line column operator before after <<<"$entry"
  index=$((index + 1))
  log="$logs/mutant-$index.log"
  one_started=$SECONDS
  python3 "$sites" apply "$tree" "$path" "$line" "$column" "$before" "$after" ||
    fail "cannot apply mutant $index"
  mutated=$path
  if ! build_targets >"$log" 2>&1; then
    outcome=stillborn; stillborn=$((stillborn + 1))
  elif run_suite "$log" "$limit"; then
    outcome=survived; survived=$((survived + 1))
    survivors+=("$path:$line  $operator  $before → $after")
  else
    outcome=killed; killed=$((killed + 1))
  fi
  restore
  printf '%-9s %s:%s  %s  %s → %s  (%ds)\n' "$outcome" "$path" "$line" \
         "$operator" "$before" "$after" $((SECONDS - one_started))
done

counted=$((count - stillborn))
echo
echo "Survivors (${#survivors[@]}):"
for s in "${survivors[@]}"; do echo "  $s"; done
if [ $counted -gt 0 ]; then
  score=$(python3 -c "print('%.2f' % ($killed / $counted))")
else
  score="n/a"
fi
echo "Score ($what): $killed killed / $counted compiled = $score" \
     "($stillborn stillborn, $survived survived)"
mutants_seconds=$((SECONDS - mutating_started))
echo "Elapsed: $((SECONDS - started))s in all, ${mutants_seconds}s for $count mutants" \
     "($((count > 0 ? mutants_seconds / count : 0))s each)"
