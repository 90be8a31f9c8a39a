#!/usr/bin/env bash
# The camera stations explained and seen from outside, the exercises, and the
# README's animation.
# Usage: lessons/stations.sh BUILD_DIR DOCS_DIR
#
# Runs the documentation program built in BUILD_DIR on a private virtual X
# server: it writes the observer pictures in DOCS_DIR/stations/, the
# exercises' pictures in DOCS_DIR/exercises/, and the values of the pages
# whose templates lie beside this script, which tools/fill-page.sh fills
# into DOCS_DIR/cameras.md, stations.md and exercises.md. Then it captions
# the tour's pictures in DOCS_DIR (make tour refreshes them), as
# tour-frames.txt beside this script lists them, and assembles them into
# DOCS_DIR/tour.png, an animated PNG of the viewer stepping through its
# stations, wireframe and backgrounds.
set -eu

if [ $# -ne 2 ]; then
    echo "usage: lessons/stations.sh BUILD_DIR DOCS_DIR" >&2
    exit 2
fi
build_dir=$1
docs_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
program="$build_dir/lessons/varnelle_stations"
# Each frame of the animation shows for this many tenths of a second.
frame_tenths=20

if [ ! -x "$program" ]; then
    echo "stations: no documentation program at $program; build it first (make build)." >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/varnelle-xserver" "$program" "$docs_dir" "$work/values"
for page in cameras stations exercises; do
    "$here/../tools/fill-page.sh" "$here/$page.md.in" "$work/values" "$docs_dir/$page.md" \
        "make stations"
    echo "stations: wrote $docs_dir/$page.md"
done

# apngasm takes the first frame's name and finds the others by counting on
# from its number, as the program names them.
"$build_dir/varnelle-xserver" "$program" --tour-frames "$here/tour-frames.txt" "$docs_dir" \
    "$work/frames"
apngasm "$work/tour.png" "$work/frames/frame1.png" "$frame_tenths" 10 >/dev/null
cp "$work/tour.png" "$docs_dir/tour.png"
echo "stations: wrote $docs_dir/tour.png"
