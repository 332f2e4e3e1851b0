#!/usr/bin/env bash
# Sets up the machine, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa.sh
cmake --preset default
cmake --build --preset default --target norvel
exec build/src/norvel "$@"
