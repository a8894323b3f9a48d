#!/bin/sh
# Runs every fuzz target of a ZANDREL_FUZZ build for the given seconds on its committed seed corpus.
# Usage: tests/fuzz/run_fuzz.sh <build-dir> <seconds> [corpus-dir]
# New inputs go to a scratch directory (or, with corpus-dir, to <corpus-dir>/<target>, kept for later runs) so
# the committed seeds stay as they are. Prints inputs run and inputs per second per target, and exits non-zero
# when a target finds a crash.
set -u
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 <build-dir> <seconds> [corpus-dir]" >&2
    exit 2
fi
build=$1
seconds=$2
keep=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
targets="suggestion_parse_fuzzer related_section_fuzzer gbk_text_fuzzer csv_writer_fuzzer grid_model_fuzzer"
status=0
summary=""
for target in $targets; do
    exe="$build/tests/fuzz/$target"
    if [ ! -x "$exe" ]; then
        echo "missing $exe (configure with -DZANDREL_FUZZ=ON and build first)" >&2
        exit 2
    fi
    seeds="$here/corpus/${target%_fuzzer}"
    if [ -n "$keep" ]; then
        work="$keep/${target%_fuzzer}"
        mkdir -p "$work"
    else
        work=$(mktemp -d)
    fi
    log=$(mktemp)
    echo "== $target for ${seconds}s"
    if ! "$exe" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$build/tests/fuzz/$target-" \
        -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1; then
        cat "$log"
        echo "!! $target failed; see the artifact above" >&2
        status=1
    else
        grep "^Done" "$log" || true
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    summary="$summary$(printf '%-26s %12s inputs %8s inputs/s' "$target" "${runs:-?}" "${rate:-?}")
"
    rm -f "$log"
    if [ -z "$keep" ]; then
        rm -rf "$work"
    fi
done
printf '== fuzz summary (%ss per target)\n%s' "$seconds" "$summary"
exit $status
