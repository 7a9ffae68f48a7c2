#!/usr/bin/env bash
# Do the tests catch real mistakes? Applies each deliberate fault in
# scripts/faults/ (one patch per fault, its first line says what it breaks)
# to the clean tree, builds incrementally, runs the tests until the first
# failure, prints which test caught it (or MISSED) and puts the tree back.
#
#   scripts/fault-check.sh                 every fault
#   scripts/fault-check.sh NAME...         only these (file names without .patch)
#
# Exits non-zero when a fault is missed or does not build. Logs of each run
# are kept in build/fault-check/NAME.log.
set -uo pipefail
cd "$(dirname "$0")/.."

if [ -n "$(git status --porcelain)" ]; then
  echo "fault-check: the working tree has changes; commit or stash them first" >&2
  exit 2
fi

patches=()
if [ $# -eq 0 ]; then
  patches=(scripts/faults/*.patch)
else
  for name in "$@"; do
    patch="scripts/faults/${name%.patch}.patch"
    [ -f "$patch" ] || { echo "fault-check: no fault $patch" >&2; exit 2; }
    patches+=("$patch")
  done
fi

jobs=$(nproc 2>/dev/null || echo 2)
if [ -z "${DISPLAY:-}" ]; then export QT_QPA_PLATFORM=offscreen; fi
logs=build/fault-check
cmake --preset default >/dev/null || exit 2
mkdir -p "$logs"

# Whatever happens (a failed build, Ctrl-C), the tree goes back to HEAD.
applied=""
restore() {
  if [ -n "$applied" ]; then
    git apply --numstat "$applied" | cut -f3 | xargs git checkout --
    applied=""
  fi
}
trap restore EXIT
trap 'exit 130' INT TERM

# The tests that install the package or open the whole model corpus take
# minutes each; ctest would start them first (they are the longest), so a
# fault the quick tests catch would wait for them. They run only for a fault
# the quick tests miss: the same tests judge every fault, in a better order.
slow='install|corpus'

caught=0 missed=0 broken=0
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  log="$logs/$name.log"
  printf '%-44s ' "$name"
  if ! git apply "$patch"; then
    echo "DOES NOT APPLY"
    broken=$((broken + 1))
    continue
  fi
  applied="$patch"
  if ! cmake --build --preset default -j"$jobs" >"$log" 2>&1; then
    echo "DOES NOT BUILD (see $log)"
    broken=$((broken + 1))
  elif (cd build && ctest -j"$jobs" --stop-on-failure --timeout 120 \
          -LE "fuzz|bench|$slow" >>"../$log" 2>&1) &&
       (cd build && ctest -j"$jobs" --stop-on-failure --timeout 1500 \
          -L "$slow" -LE 'fuzz|bench' >>"../$log" 2>&1); then
    echo "MISSED"
    missed=$((missed + 1))
  else
    # The first test ctest lists as failed.
    test=$(sed -n '/The following tests FAILED:/{n;p;q}' "$log" |
           sed -E 's/^[[:space:]]*[0-9]+ - //; s/[[:space:]]+# GetParam.*//; s/[/[:space:]]*[0-9]+-byte object <.*//;
                   s/ \((Failed|Timeout|SEGFAULT|Subprocess aborted|Exception|Not Run)[^)]*\)$//')
    echo "caught by ${test:-an unknown test (see $log)}"
    caught=$((caught + 1))
  fi
  restore
done

# Leave the build as the tree is.
cmake --build --preset default -j"$jobs" >/dev/null 2>&1
echo
echo "${#patches[@]} faults: $caught caught, $missed missed, $broken broken"
[ "$missed" -eq 0 ] && [ "$broken" -eq 0 ]
