#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs them twice: without a display (window tests skip
# themselves; the end-to-end scenarios, which bring their own X server, are
# left out) with leak checking, then all of them under a virtual X server
# without it, as Mesa's drivers leave leaks in modules unloaded at exit that
# no suppression can name. Every process writes its reports to
# build-asan/sanitizer-reports/ (test programs and the game they start);
# any report, like any failed test, fails the run. scripts/test.sh calls it
# after the plain run.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_SANITIZE=ON
cmake --build build-asan -j"$(nproc)" --target quorvel_tests

reports="$PWD/build-asan/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export QUORVEL_MESSAGES="${QUORVEL_MESSAGES:-stderr}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
asan="halt_on_error=1:detect_stack_use_after_return=1:log_path=$reports/asan"

status=0
ASAN_OPTIONS="$asan:detect_leaks=1" env -u DISPLAY \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -E '^e2e_' || status=1
ASAN_OPTIONS="$asan:detect_leaks=0" xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" || status=1

if compgen -G "$reports/*" > /dev/null; then
  echo "sanitizer reports:" >&2
  for report in "$reports"/*; do
    echo "== $report" >&2
    cat "$report" >&2
  done
  status=1
fi
[ "$status" -eq 0 ] && echo "sanitizer run: no reports, every test passed"
exit "$status"
