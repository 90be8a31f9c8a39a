#!/usr/bin/env bash
# Install the Debian packages that the named groups need, if any is missing.
# Uses sudo when not run as root.
# Usage: tools/install-deps.sh GROUP...
#        tools/install-deps.sh --list GROUP   (print the group's packages)
# Each group holds only what it adds; a make target names every group it
# needs. make run: build, and tour when there is no display; make test:
# build, tour and test; make stations: build, tour and docs.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

# Building and running the viewer: the compiler and CMake; OpenGL, GLU and
# GLUT, with Mesa's renderer.
group_build=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri)
# The headless tour and everything else that drives the viewer from outside:
# a private X server, the one window manager the tour uses, and the driver
# library's X, XTest and PNG headers.
group_tour=(xvfb openbox libx11-dev libxtst-dev libpng-dev)
# The test suite: GoogleTest; the other window managers full screen is tried
# under (xfwm4 and mutter run in a D-Bus session of their own); the manual
# page's checks.
group_test=(googletest libgtest-dev xfwm4 xfconf mutter fluxbox icewm dbus groff mandoc man-db)
# make stations: the README's animation, from the tour's pictures.
group_docs=(apngasm)
# make bench: its orchestration and statistics, and its instruction counts.
group_bench=(python3 procps valgrind)
# The Debian package: its dependencies (dpkg-shlibdeps), its checks, and the
# fresh Debian root it is installed in.
group_package=(dpkg-dev file lintian debootstrap debian-archive-keyring)
# The Windows viewer: the cross compiler, its binutils and apt-get source's
# unpacker; Wine, with the GL and X libraries it only recommends but needs to
# show a GL window; zip for the archive.
group_windows=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev
    wine wine64 libgl1 libxrandr2 libxrender1 libxext6 libxcursor1 libxi6 libxinerama1
    libxcomposite1 libxfixes3 libxxf86vm1 zip)
# The browser page: emscripten, with the acorn parser its optimiser needs;
# zip for the page's archive, unzip for its test; the browsers that test the
# page. The test driver comes from npm (added below where Node.js lacks it).
group_web=(emscripten node-acorn zip unzip chromium firefox-esr)

# The packages of a group, one per line; fails on an unknown group.
members() {
    local name="group_$1[@]"
    if ! declare -p "group_$1" >/dev/null 2>&1; then
        echo "install-deps: no group named $1 (groups: build tour test docs bench package windows web)" >&2
        return 1
    fi
    printf '%s\n' "${!name}"
}

if [ "${1:-}" = --list ]; then
    members "${2:-}"
    exit
fi
if [ $# -eq 0 ]; then
    echo "usage: tools/install-deps.sh GROUP... | --list GROUP" >&2
    exit 2
fi

for group in "$@"; do
    members "$group" >/dev/null || exit 2
done
packages=$(for group in "$@"; do members "$group"; done | sort -u)
missing=()
for package in $packages; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then
        missing+=("$package")
    fi
done
for group in "$@"; do
    # apt-get source needs Debian's source entries for freeglut.
    if [ "$group" = windows ]; then
        "$here/../platform/windows/debian-sources.sh"
    fi
    # The browser test's driver comes from npm, which Debian's nodejs leaves
    # to a package of its own; a Node.js from elsewhere may bring its own npm.
    if [ "$group" = web ] && ! command -v npm >/dev/null &&
        [ "$(dpkg-query -W -f='${Status}' npm 2>/dev/null)" != "install ok installed" ]; then
        missing+=(npm)
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
