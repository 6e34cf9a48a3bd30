#!/usr/bin/env bash
# Builds the RTF reading benchmark and prints the reading speed on generated documents: a
# letter-like text of the given size (goal: at least 50 MB/s) and hostile table shapes.
# usage: bench/rtfreader/run.sh [megabytes] [file.rtf ...]
set -euo pipefail
cd "$(dirname "$0")/../.."
mb=${1:-20}
shift || true
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build build --target bench_rtfreader >/dev/null
if [ $# -gt 0 ]; then
    QT_QPA_PLATFORM=offscreen ./build/bin/bench_rtfreader "$@"
else
    QT_QPA_PLATFORM=offscreen ./build/bin/bench_rtfreader --mb "$mb"
fi
