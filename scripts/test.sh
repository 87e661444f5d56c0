#!/usr/bin/env bash
# Installs, builds and runs every test. Tests that need a window share one
# virtual X server; sound goes to OpenAL Soft's silent driver unless the
# caller chose another.
set -euo pipefail
cd "$(dirname "$0")/.."
# Each step's end, in seconds since the start: where the run's time goes.
step_done() { echo "== $1 at $SECONDS s"; }
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
step_done "plain build"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export QUORVEL_MESSAGES="${QUORVEL_MESSAGES:-stderr}"
# The sanitizer build compiles beside the plain pass, at the same
# priority: the pass's tests wait in the game's time, so sharing the cores
# only makes them slower. (At the lowest priority, beside any other busy
# process the build got almost nothing: it stood at a fifth after twenty
# minutes beside a busy loop on every core.) Its output is shown after the
# pass.
asan_log=build/sanitizer-build.log
bash scripts/test-sanitizers.sh build > "$asan_log" 2>&1 &
asan_build=$!
plain=0
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" || plain=$?
step_done "plain pass"
built=0
wait "$asan_build" || built=$?
step_done "sanitizer build"
cat "$asan_log"
if [ "$plain" -ne 0 ]; then
  echo "plain test pass failed" >&2
  exit "$plain"
fi
if [ "$built" -ne 0 ]; then
  echo "sanitizer build failed" >&2
  exit "$built"
fi
# The same tests once more, built with the address and undefined-behaviour
# sanitizers: any report fails the run.
status=0
bash scripts/test-sanitizers.sh run || status=$?
step_done "sanitizer passes"
exit "$status"
