#!/usr/bin/env bash
# Builds and runs every benchmark and prints its figures, one a line as "name: value unit":
#   the portable core in a Release build (workbench, export, parsing, grid model, run journal), then the Windows
#   build under Wine (the grid's workbench at 100,000 rows, painting the grid and the controls, drawing, skin) and a
#   depth-3 query against a simulated marketplace that waits 50 ms before every answer, over plain sockets from the
#   portable core and through the main window under Wine.
# Figures only: nothing here passes or fails on a number.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh

# A figure is "name: value unit": a snake_case name, one space, a number, one space, a unit without spaces.
figures() { tr -d '\r' | grep -E '^[a-z0-9_]+: -?[0-9.]+ [^ ]+$' || true; }

echo "== portable core (Release)"
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench --target workbench_bench export_bench parse_bench grid_model_bench store_bench query_bench \
  >/dev/null
for bench in table/workbench_bench export/export_bench query/parse_bench table/grid_model_bench store/store_bench; do
  build/bench/tests/$bench | figures
done

echo "== Windows build under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows --target grid_view_bench grid_paint_bench paint_bench draw_bench skin_bench query_bench_win \
  keeper >/dev/null
source scripts/wine-session.sh
port=18190
log=$(mktemp)
python3 tools/marketplace/marketplace.py --port $port --delay-ms 50 --log "$log" >/dev/null 2>&1 &
market=$!
trap 'kill $market 2>/dev/null || true; rm -f "$log"; wine_session_stop' EXIT
wine_session_start --xvfb build/windows/tools/keeper/keeper.exe
for bench in table/grid_view_bench app/grid_paint_bench app/paint_bench draw/draw_bench skin/skin_bench; do
  timeout 600 wine build/windows/tests/$bench.exe 2>/dev/null | figures
done

echo "== depth-3 query against the slow marketplace"
timeout 600 build/bench/tests/query/query_bench $port "连衣裙" 50 | figures
timeout 600 wine build/windows/tests/app/query_bench_win.exe $port "Z:$(echo "$log" | tr / '\\')" 2>/dev/null | figures
