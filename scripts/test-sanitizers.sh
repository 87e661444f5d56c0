#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs each test once: every test that draws nothing with
# leak checking, then the ones that draw through OpenGL (the suites of the
# test files that start their own X server, and the end-to-end scenarios)
# under a virtual X server without leak checking, as Mesa's drivers leave
# leaks in modules unloaded at exit that no suppression can name. Suites
# with a test that needs DISPLAY and skips itself without run in both. Every process writes its reports to
# build-asan/sanitizer-reports/ (test programs and the game they start);
# any report, like any failed test, fails the run. With "build" it only
# builds, with "run" it only runs the tests of an earlier build (as
# scripts/test.sh does, building beside the plain pass).
set -euo pipefail
cd "$(dirname "$0")/.."
step="${1:-all}"
case "$step" in
  all|build|run) ;;
  *) echo "usage: $0 [build|run]" >&2; exit 2 ;;
esac
if [ "$step" != run ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_SANITIZE=ON
  cmake --build build-asan -j"$(nproc)" --target quorvel_tests
fi
[ "$step" = build ] && exit 0

reports="$PWD/build-asan/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export QUORVEL_MESSAGES="${QUORVEL_MESSAGES:-stderr}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
asan="halt_on_error=1:detect_stack_use_after_return=1:log_path=$reports/asan"

# Suites that open an X server and OpenGL, found from the test files.
display_suites=$(grep -l 'support/private_display.h\|support/private_x_server.h\|support/gl_texture_fixture.h' tests/*/test_*.cpp \
  | xargs grep -ho 'TEST\(_F\|_P\)\?( *[A-Za-z0-9_]*' | sed 's/.*( *//' | sort -u | paste -sd'|')
drawing="^e2e_|^($display_suites)\\."
# Suites with tests that skip themselves without DISPLAY run in both passes.
skipping_suites=$(grep -l 'getenv("DISPLAY")' tests/*/test_*.cpp \
  | xargs grep -ho 'TEST\(_F\|_P\)\?( *[A-Za-z0-9_]*' | sed 's/.*( *//' | sort -u | paste -sd'|')
with_display="$drawing|^($skipping_suites)\\."
# The whole-game scenarios (CTest label whole_game) play for a quarter of
# an hour under the sanitizers; every screen they pass is also driven by a
# shorter scenario that runs here. The content checks (content.*) are
# Python reading the generated data, the same as the plain build's: they
# would only repeat the plain pass.

status=0
ASAN_OPTIONS="$asan:detect_leaks=1" env -u DISPLAY \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)" -E "$drawing|^content\\." || status=1
# The scenarios draw at the display's rate and wait on it: four side by
# side (two processors each) kept half of the cores busy, so this pass
# runs twice as many.
ASAN_OPTIONS="$asan:detect_leaks=0" xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ctest --test-dir build-asan --output-on-failure -j"$((2 * $(nproc)))" -R "$with_display" -LE whole_game || status=1

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
