#!/usr/bin/env bash
# Build freeglut for Windows as a static library from Debian's own freeglut
# source package, with the project's mingw-w64 toolchain, and install it into
# BUILD_DIR/freeglut/install, with GL/glut.h beside freeglut's own headers.
# Does nothing when that is there already. Its own warnings stay in the logs.
# Usage: platform/windows/build-freeglut.sh BUILD_DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
toolchain="$here/toolchain-mingw-w64-x86_64.cmake"
work="$1/freeglut"
prefix="$work/install"
config="$prefix/lib/cmake/FreeGLUT/FreeGLUTConfig.cmake"

if [ -f "$config" ]; then
    exit 0
fi

# Show the end of a step's log and stop.
fail()
{
    echo "windows-freeglut: the $1 step failed; the end of $work/$1.log:" >&2
    tail -n 30 "$work/$1.log" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/source"
echo "windows-freeglut: fetching Debian's freeglut source package into $work/source"
# As root apt cannot hand the download to its own unprivileged user here.
sandbox=()
if [ "$(id -u)" -eq 0 ]; then
    sandbox=(-o APT::Sandbox::User=root)
fi
(cd "$work/source" && apt-get source -qq "${sandbox[@]}" freeglut)
source_dir=$(find "$work/source" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
if [ -z "$source_dir" ]; then
    echo "windows-freeglut: apt-get source left no freeglut folder in $work/source" >&2
    exit 1
fi

echo "windows-freeglut: building the static library from $(basename "$source_dir")"
cmake -S "$source_dir" -B "$work/build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DFREEGLUT_BUILD_DEMOS=OFF \
    -DFREEGLUT_BUILD_STATIC_LIBS=ON \
    -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
    -DFREEGLUT_REPLACE_GLUT=ON \
    >"$work/configure.log" 2>&1 || fail configure
cmake --build "$work/build" -j 2 >"$work/build.log" 2>&1 || fail build
cmake --install "$work/build" >"$work/install.log" 2>&1 || fail install
echo "windows-freeglut: installed into $prefix"
