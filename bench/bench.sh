#!/usr/bin/env bash
# Responsiveness benchmark: build the viewer and the benchmark programs in
# release mode into BUILD_DIR (a build of its own, apart from build/ and
# the tests), then measure the viewer side by side with the floor program on
# a private virtual X server. Prints the results table and writes it to
# docs/performance.md. Usage: bench/bench.sh BUILD_DIR (make bench gives
# build-bench)
set -eu
build=$(realpath -m "${1:?usage: bench/bench.sh BUILD_DIR}")
cd "$(dirname "$0")/.."

cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j 2

# A screen larger than the 1280x1024 frame-time window, so that the window
# manager never shrinks it to fit.
"$build/varnelle-xserver" --screen 1600x1200 --wm openbox \
    python3 bench/run_bench.py "$build" docs/performance.md
