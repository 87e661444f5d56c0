#!/usr/bin/env bash
# Installs, builds and runs every test. Tests that need a window share one
# virtual X server; sound goes to OpenAL Soft's silent driver unless the
# caller chose another.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
export ALSOFT_DRIVERS="${ALSOFT_DRIVERS:-null}"
export QUORVEL_MESSAGES="${QUORVEL_MESSAGES:-stderr}"
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$(nproc)"
# The same tests once more, built with the address and undefined-behaviour
# sanitizers: any report fails the run.
bash scripts/test-sanitizers.sh
