#!/usr/bin/env bash
# Installs, builds and starts the game (run from build/, where its data is).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build && exec ./quorvel "$@"
