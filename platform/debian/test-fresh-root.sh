#!/usr/bin/env bash
# make targets run as a contributor runs them on a plain Debian 12: in a
# fresh, minimal root (the package test's, made once with debootstrap and
# kept in CACHE_DIR), with only make and git added, on a clone of this
# checkout's HEAD, so that every other package comes from the project's own
# install step. Shows what each target installed and how long it took.
# Usage: platform/debian/test-fresh-root.sh CACHE_DIR TARGET...
#   (make test-fresh-root TARGETS="test-web")
# All mounts are made in a mount namespace of the script's own, so none
# outlives it, however it ends.
set -euo pipefail

suite=bookworm
# What a contributor has before the two commands of the README.
contributor_packages="make git ca-certificates"

. "$(dirname "$0")/../../tools/lib.sh"

if [ "$(id -u)" -ne 0 ]; then
    as_root "$0" "$@"
    exit
fi
if [ "${1:-}" != --inside ]; then
    exec unshare --mount --propagation private "$0" --inside "$@"
fi
shift
if [ $# -lt 2 ]; then
    echo "usage: platform/debian/test-fresh-root.sh CACHE_DIR TARGET..." >&2
    exit 2
fi
cache_dir=$(realpath -m "$1")
shift
pristine="$cache_dir/pristine-$suite.tar"
if [ ! -f "$pristine" ]; then
    echo "test-fresh-root: no fresh root in $cache_dir; make test-package makes it" >&2
    exit 1
fi
checkout=$(cd "$(dirname "$0")/../.." && pwd)
root="$cache_dir/fresh-root"
if grep -q " $root/" /proc/self/mounts; then
    echo "test-fresh-root: $root still has mounts; not touching it" >&2
    exit 1
fi
rm -rf "$root"
mkdir -p "$root"
tar -C "$root" -xf "$pristine"
# This machine's own configuration for reaching the network: its resolver,
# npm's settings, and the certificate authorities it added to Debian's
# (which the root's ca-certificates takes in when it is installed).
cp /etc/resolv.conf "$root/etc/resolv.conf"
for file in /etc/npmrc /usr/etc/npmrc; do
    if [ -f "$file" ]; then
        mkdir -p "$root$(dirname "$file")"
        cp "$file" "$root$file"
    fi
done
if [ -d /usr/local/share/ca-certificates ]; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
fi
trap 'umount -R "$root/proc" "$root/dev" 2>/dev/null || true; rm -rf "$root"' EXIT
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"

chroot "$root" apt-get update -qq
# shellcheck disable=SC2086
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $contributor_packages >/dev/null
git clone -q "$checkout" "$root/src"
before=$(chroot "$root" dpkg-query -W -f='${Package}\n' | sort)
for target in "$@"; do
    started=$(date +%s)
    echo "test-fresh-root: make $target in a fresh Debian 12 root"
    chroot "$root" env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 make -C /src "$target"
    echo "test-fresh-root: make $target passed in $(($(date +%s) - started)) s"
done
after=$(chroot "$root" dpkg-query -W -f='${Package}\n' | sort)
echo "test-fresh-root: the install step added $(comm -13 <(echo "$before") <(echo "$after") | wc -l) packages," \
    "among them: $(comm -13 <(echo "$before") <(echo "$after") |
        grep -xE 'nodejs|npm|emscripten|chromium|firefox-esr|xvfb|g\+\+|cmake' | tr '\n' ' ')"
