#!/usr/bin/env bash
# Builds what the start-up benchmark needs, generates a data folder with 10,000 clients and
# prints the median time from process start to the main window on screen. Goal: < 400 ms.
# usage: bench/startup/run.sh [clients] [runs]
set -euo pipefail
cd "$(dirname "$0")/../.."
clients=${1:-10000}
runs=${2:-7}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
nice cmake --build build --target quillon quillon-sample bench-startup >/dev/null
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
./build/bin/quillon-sample --data-dir "$data" --clients "$clients"
./build/bin/bench-startup --data-dir "$data" --runs "$runs"
