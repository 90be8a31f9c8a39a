#!/usr/bin/env bash
# Pack the Windows viewer with a short text on how to run it:
# BUILD_DIR/varnelle-windows-x86_64.zip. The text has Windows line ends.
# Usage: platform/windows/package.sh BUILD_DIR
set -eu
build_dir=$1
staging="$build_dir/package"
archive="$build_dir/varnelle-windows-x86_64.zip"

rm -rf "$staging" "$archive"
mkdir -p "$staging"
cp "$build_dir/varnelle.exe" "$staging/"
sed 's/$/\r/' >"$staging/README.txt" <<'TEXT'
Varnelle, a small OpenGL viewer of camera set-ups
=================================================

varnelle.exe is a console program: beside its window it writes one trace
line for every frame, key and camera change. To see the trace, start it from
a console, in the folder where you unpacked it:

    cmd:         varnelle.exe
    PowerShell:  .\varnelle.exe

A double-click also works; Windows then opens a console of its own for the
trace, which closes when the viewer ends. It needs no installation and no
DLL beyond those Windows has (OpenGL 1.1 is enough).

Keys (upper and lower case are different keys):

    Enter   next camera station: orthographic, then three perspective views
    F       full screen on / off
    f       next background: grey, white, black
    z       filled or wireframe polygons
    Escape  quit

Any other character key writes "K" to the trace and does nothing else;
arrows and function keys write nothing.
TEXT
(cd "$staging" && zip -q -X "../$(basename "$archive")" varnelle.exe README.txt)
echo "package-windows: $archive"
