#!/usr/bin/env bash
# Install the Debian packages that building, running and testing Varnelle
# need, if any is missing. Uses sudo when not run as root.
# Usage: tools/install-deps.sh [windows | web | package]
# With "windows", also what the Windows build and its runs under Wine need,
# and the source entries that apt-get source needs for freeglut; with "web",
# what the browser page and its test need; with "package", what the Debian
# package and its test in a fresh Debian root need.
set -eu
here=$(cd "$(dirname "$0")" && pwd)

packages=(
    # build
    cmake make g++ pkg-config
    # OpenGL, GLU and GLUT, with Mesa's software renderer
    freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
    # tests
    googletest libgtest-dev
    # a private X server, a window manager, real key events and window
    # pictures as PNG for the end-to-end tests, the tour and the benchmark
    xvfb openbox libxtst-dev libpng-dev
    # the other window managers full screen is tried under; xfwm4 and mutter
    # run in a D-Bus session of their own
    xfwm4 xfconf mutter fluxbox icewm dbus
    # the benchmark's orchestration and statistics, and its instruction counts
    python3 procps valgrind
    # the README's animation, from the tour's pictures
    apngasm
    # the manual page's checks
    groff mandoc man-db
)
if [ "${1:-}" = web ]; then
    packages+=(
        # emscripten, with the acorn parser its optimiser needs, the browser
        # that tests the page and the decoder of its pictures (pngtopnm); the
        # test driver comes from npm
        emscripten node-acorn chromium netpbm
    )
fi
if [ "${1:-}" = package ]; then
    packages+=(
        # the package's dependencies (dpkg-shlibdeps), its checks, and the
        # fresh Debian root it is installed in
        dpkg-dev file lintian debootstrap debian-archive-keyring
    )
fi
if [ "${1:-}" = windows ]; then
    packages+=(
        # the cross compiler, its binutils, and apt-get source's unpacker
        g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 dpkg-dev
        # Wine, with the GL and X libraries it only recommends but needs to
        # show a GL window; zip for the package
        wine wine64 libgl1 libxrandr2 libxrender1 libxext6
        libxcursor1 libxi6 libxinerama1 libxcomposite1 libxfixes3 libxxf86vm1
        zip
    )
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then
        missing+=("$package")
    fi
done
if [ "${1:-}" = windows ]; then
    "$here/debian-sources.sh"
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "install-deps: not root and no sudo; install these packages: ${missing[*]}" >&2
        exit 1
    fi
    sudo=sudo
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
