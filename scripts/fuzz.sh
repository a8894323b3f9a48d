#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", clang) and runs every one of them for SECONDS each, keeping what
# they find in build/fuzz/corpus so that a later campaign goes on from there.
# Usage: bash scripts/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -ne 1 ]; then
    echo "usage: $0 SECONDS" >&2
    exit 2
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
bash tests/fuzz/run_fuzz.sh build/fuzz "$1" build/fuzz/corpus
