#!/usr/bin/env bash
# The camera stations seen from outside, and the README's animation.
# Usage: observer/stations.sh BUILD_DIR DOCS_DIR
#
# Runs the documentation program built in BUILD_DIR on a private virtual X
# server: it writes the observer pictures in DOCS_DIR/stations/ and the
# figures of DOCS_DIR/stations.md, which tools/fill-page.sh fills into the
# page's template, stations.md.in beside this script. Then assembles the
# tour's pictures in DOCS_DIR (make tour refreshes them) into
# DOCS_DIR/tour.png, an animated PNG of the viewer stepping through its
# stations, wireframe and backgrounds.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: observer/stations.sh BUILD_DIR DOCS_DIR" >&2
    exit 2
fi
build_dir=$1
docs_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
program="$build_dir/observer/varnelle_stations"
# Each frame of the animation shows for this many tenths of a second.
frame_tenths=12

if [ ! -x "$program" ]; then
    echo "stations: no documentation program at $program; build it first (make build)." >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/varnelle-xserver" "$program" "$docs_dir" "$work/values"
"$here/../tools/fill-page.sh" "$here/stations.md.in" "$work/values" "$docs_dir/stations.md" \
    "make stations"
echo "stations: wrote $docs_dir/stations.md"

# The frames in the order of the keys that lead from one to the next: Enter
# three times, z, then (back on the orthographic station) f three times.
# apngasm takes the first frame's name and finds the others by counting on
# from its number, so the frames are copied under numbered names.
count=0
for name in station-0-orthographic station-1-perspective station-2-perspective \
    station-3-perspective wireframe background-white background-black background-grey; do
    frame="$docs_dir/$name.png"
    [ -f "$frame" ] || { echo "stations: no tour picture $frame; run make tour" >&2; exit 1; }
    count=$((count + 1))
    cp "$frame" "$work/frame$count.png"
done
apngasm "$work/tour.png" "$work/frame1.png" "$frame_tenths" 10 >/dev/null
cp "$work/tour.png" "$docs_dir/tour.png"
echo "stations: wrote $docs_dir/tour.png from $count tour pictures"
