#!/bin/sh
# Peak memory of the quiz with 10,000 songs loaded against a bare Qt window holding the same titles, each
# measured in a process of its own; prints both and their ratio.
set -eu
bench=${1:-build/bench/zandolin_bench}
peak() {
  "$bench" --benchmark_filter="$1" --benchmark_format=json 2>/dev/null |
    python3 -c 'import json,sys; print(int(json.load(sys.stdin)["benchmarks"][0]["peak_kB"]))'
}
app=$(peak BM_PeakMemory_TenThousandSongsLoaded)
bare=$(peak BM_PeakMemory_BareWindowWithTitles)
python3 -c "print(f'quiz with 10,000 songs: {$app} kB; bare window + titles: {$bare} kB; ratio {$app/$bare:.2f}')"
