#!/usr/bin/env bash
# The camera stations explained and seen from outside, the exercises, the
# glossary, and the README's animation; or the exercises on paper.
# Usage: lessons/stations.sh BUILD_DIR DOCS_DIR [handout]
#
# Runs the documentation program built in BUILD_DIR on a private virtual X
# server: it writes the observer pictures and the depth plot in
# DOCS_DIR/stations/, the exercises' pictures in DOCS_DIR/exercises/, and
# the values of the pages whose templates lie beside this script, which
# tools/fill-page.sh fills into DOCS_DIR/cameras.md, stations.md,
# exercises.md and glossary.md; and the same in French, from the templates
# in fr/ beside it into DOCS_DIR/fr/ (the pictures with words there too).
# Then it captions
# the tour's pictures in DOCS_DIR (make tour refreshes them), as
# tour-frames.txt beside this script lists them, and assembles them into
# DOCS_DIR/tour.png, an animated PNG of the viewer stepping through its
# stations, wireframe and backgrounds.
#
# With handout, it writes DOCS_DIR/handout.html and DOCS_DIR/fr/handout.html
# alone: the program's values (its pictures go to a folder of their own)
# fill the exercises' template, the program splits the filled page into
# the questions, with room to answer, and the answers, and handout.html.in
# beside this script (fr/handout.html.in in French) takes them, with the
# print style of handout.css. The exercises' prose is written once per
# language, in exercises.md.in.
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ] || [ "${3:-handout}" != handout ]; then
    echo "usage: lessons/stations.sh BUILD_DIR DOCS_DIR [handout]" >&2
    exit 2
fi
build_dir=$1
docs_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
program="$build_dir/lessons/varnelle_stations"
# Each frame of the animation shows for this many tenths of a second.
frame_tenths=20
# The pages' languages: English's templates, values and pages are in the
# folders themselves, another language's in its subfolder (fr/).
languages="en fr"
language_folder() {
    if [ "$1" != en ]; then echo "$1/"; fi
}
# fill-page.sh's last argument for a language whose prose writes numbers
# its own way.
prose() {
    if [ "$1" = fr ]; then echo fr; fi
}

if [ ! -x "$program" ]; then
    echo "stations: no documentation program at $program; build it first (make build)." >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -eq 3 ]; then
    "$build_dir/varnelle-xserver" "$program" "$work/pictures" "$work/values" >/dev/null
    for language in $languages; do
        sub=$(language_folder "$language")
        mkdir -p "$work/$language"
        "$here/../tools/fill-page.sh" "$here/${sub}exercises.md.in" "$work/values/$sub" \
            "$work/$language/exercises.md" "make handout" $(prose "$language")
        "$program" --handout "$work/$language/exercises.md" "$work/values/$sub"
        # The handout's values are the filled page's, already in the
        # language's prose, and its print style, the same in every language.
        cp "$here/handout.css" "$work/values/${sub}handoutStyle"
        "$here/../tools/fill-page.sh" "$here/${sub}handout.html.in" "$work/values/$sub" \
            "$docs_dir/${sub}handout.html" "make handout"
        echo "stations: wrote $docs_dir/${sub}handout.html"
    done
    exit 0
fi
"$build_dir/varnelle-xserver" "$program" "$docs_dir" "$work/values"
for language in $languages; do
    sub=$(language_folder "$language")
    for page in cameras stations exercises glossary; do
        "$here/../tools/fill-page.sh" "$here/${sub}$page.md.in" "$work/values/$sub" \
            "$docs_dir/${sub}$page.md" "make stations" $(prose "$language")
        echo "stations: wrote $docs_dir/${sub}$page.md"
    done
done

# apngasm takes the first frame's name and finds the others by counting on
# from its number, as the program names them.
"$build_dir/varnelle-xserver" "$program" --tour-frames "$here/tour-frames.txt" "$docs_dir" \
    "$work/frames"
apngasm "$work/tour.png" "$work/frames/frame1.png" "$frame_tenths" 10 >/dev/null
cp "$work/tour.png" "$docs_dir/tour.png"
echo "stations: wrote $docs_dir/tour.png"
