#!/usr/bin/env bash
# Responsiveness benchmark: build the viewer and the benchmark programs in
# release mode into build-bench/ (a build of its own, apart from build/ and
# the tests), then measure the viewer side by side with the floor program on
# a private virtual X server. Prints the results table and writes it to
# docs/performance.md. Usage: tools/bench.sh (or make bench)
set -eu
cd "$(dirname "$0")/.."

build=build-bench
cmake -S bench -B "$build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$build" -j 2

# A screen larger than the 1280x1024 frame-time window, so that the window
# manager never shrinks it to fit.
"$build/varnelle-xserver" --screen 1600x1200 --wm openbox \
    python3 bench/run_bench.py "$build" docs/performance.md
