#!/usr/bin/env bash
# Install the Debian packages that building, running and testing Varnelle
# need, if any is missing. Uses sudo when not run as root.
set -eu

packages=(
    # build
    cmake make g++ pkg-config
    # OpenGL, GLU and GLUT, with Mesa's software renderer
    freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
    # tests
    googletest libgtest-dev
    # a private X server, a window manager, real key events and window
    # pictures for the end-to-end tests, the tour and the benchmark
    xvfb openbox xdotool libxtst-dev x11-utils x11-apps netpbm
    # the benchmark's orchestration and statistics, and its instruction counts
    python3 procps valgrind
    # the browser page (emscripten, with the acorn parser its optimiser needs)
    # and the browser that tests it; the test driver comes from npm
    emscripten node-acorn chromium
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    if [ "$status" != "install ok installed" ]; then
        missing+=("$package")
    fi
done
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
