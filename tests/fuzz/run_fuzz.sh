#!/bin/sh
# Runs every fuzz target of a ZANDREL_FUZZ build for the given seconds on its committed seed corpus.
# Usage: tests/fuzz/run_fuzz.sh <build-dir> <seconds>. Exits non-zero when a target finds a crash.
set -u
if [ $# -ne 2 ]; then
    echo "usage: $0 <build-dir> <seconds>" >&2
    exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in suggestion_parse_fuzzer related_section_fuzzer; do
    exe="$build/tests/fuzz/$target"
    if [ ! -x "$exe" ]; then
        echo "missing $exe (configure with -DZANDREL_FUZZ=ON and build first)" >&2
        exit 2
    fi
    seeds="$here/corpus/${target%_fuzzer}"
    work=$(mktemp -d)
    echo "== $target for ${seconds}s"
    # New inputs go to a scratch directory so the committed seeds stay as they are.
    if ! "$exe" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$build/tests/fuzz/$target-" \
        -print_final_stats=1 "$work" "$seeds"; then
        echo "!! $target failed; see the artifact above" >&2
        status=1
    fi
    rm -rf "$work"
done
exit $status
