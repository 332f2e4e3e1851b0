#!/usr/bin/env bash
# Sets up the machine, builds everything and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa.sh
cmake --preset default
cmake --build --preset default
ctest --preset default
