#!/usr/bin/env bash
# The Debian package as a user meets it: installed with apt into a fresh,
# minimal Debian 12 root, its manual page read there with man, and its viewer
# run there on a private virtual X server of this machine.
# Usage: platform/debian/test-package.sh PACKAGE.deb E2E_TESTS CACHE_DIR
#   E2E_TESTS is the end-to-end test program: its tests of the window, its
#   first trace lines and its end run against the installed viewer, started
#   inside the root through a launcher (chroot ROOT).
# The fresh root is made once with debootstrap, from the Debian archive this
# machine's apt sources name, and kept as a tarball in CACHE_DIR (make uses
# build-package-root/); every run unpacks it anew, so nothing from an earlier
# run remains. Downloaded archives are kept there too, so a second run does
# not fetch them again. All mounts, debootstrap's included, are made in a
# mount namespace of this script's own, so none outlives it, however it ends.
set -euo pipefail

suite=bookworm
# Packages the root gets beside the minimal base: man, to read the page.
extra_packages=man-db
# Where the root sees the package, and the viewer it installs.
package_inside=/tmp/package.deb
installed_viewer=/usr/bin/varnelle

. "$(dirname "$0")/../../tools/lib.sh"

# All of it runs as root.
if [ "$(id -u)" -ne 0 ]; then
    as_root "$0" "$@"
    exit
fi

# Remove a folder, but never through a mount: a bound /dev would go with it.
remove_unmounted() {
    if grep -q " $1/" /proc/self/mounts; then
        echo "test-package: $1 still has mounts; not touching it" >&2
        exit 1
    fi
    rm -rf "$1"
}

# The pristine root: debootstrap's minimal base, man-db, and apt pointed at
# the same Debian archive as this machine's.
make_pristine_root() {
    local staging="$cache_dir/staging"
    echo "test-package: making a fresh $suite root from $mirror (kept in $cache_dir)"
    remove_unmounted "$staging"
    if ! debootstrap --variant=minbase --include="$extra_packages" \
        "$suite" "$staging" "$mirror" >"$cache_dir/debootstrap.log" 2>&1; then
        tail -n 30 "$cache_dir/debootstrap.log" >&2
        exit 1
    fi
    cat >"$staging/etc/apt/sources.list" <<EOF
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
EOF
    # Only what the package depends on gets installed: it must run with that.
    echo 'APT::Install-Recommends "false";' >"$staging/etc/apt/apt.conf.d/90no-recommends"
    rm -f "$staging/var/cache/apt/archives/"*.deb
    tar -C "$staging" -cf "$pristine.part" .
    mv "$pristine.part" "$pristine"
    remove_unmounted "$staging"
}

# Unpack the root, mount what it needs, install the package with apt, read
# the manual page, run the viewer's end-to-end tests on it.
install_and_run() {
    local package=$1 e2e_tests=$2
    shift
    remove_unmounted "$root"
    mkdir -p "$root"
    tar -C "$root" -xf "$pristine"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    cp "$package" "$root$package_inside"
    chmod 644 "$root$package_inside"

    trap 'umount -R "$root/proc" "$root/dev" "$root/tmp/.X11-unix" "$root/var/cache/apt/archives" 2>/dev/null || true' EXIT
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    # The X server's sockets, shared, so the viewer inside reaches this
    # machine's private Xvfb.
    mkdir -p /tmp/.X11-unix "$root/tmp/.X11-unix"
    chmod 1777 /tmp/.X11-unix
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
    mount --bind "$archives" "$root/var/cache/apt/archives"

    echo "test-package: apt-get install ./$(basename "$package") in the fresh root"
    chroot "$root" apt-get update -qq
    chroot "$root" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q "$package_inside" >"$cache_dir/apt-install.log" 2>&1 || {
        cat "$cache_dir/apt-install.log" >&2
        exit 1
    }
    sed -n '/^The following NEW packages/,/newly installed/p; /^Need to get/p' \
        "$cache_dir/apt-install.log"

    check_manual_page
    echo "test-package: the end-to-end tests of the window, the trace and the end, on $installed_viewer in the root"
    local launcher="$cache_dir/in-root"
    printf '#!/bin/sh\n# Runs a command inside the fresh root.\nexec chroot "%s" "$@"\n' "$root" >"$launcher"
    chmod 755 "$launcher"
    VARNELLE_LAUNCHER="$launcher" VARNELLE_BINARY="$installed_viewer" "$e2e_tests" \
        --gtest_filter='Viewer.OpensTheTitledWindow*:Viewer.EscapeOrClosingTheWindow*'
}

# man finds the installed page and renders it without complaint (its
# content is checked by make test's install check).
check_manual_page() {
    local page="$cache_dir/man-varnelle.txt" errors="$cache_dir/man-varnelle.err"
    chroot "$root" env MANPAGER=cat MANWIDTH=80 LC_ALL=C.UTF-8 \
        man varnelle >"$page" 2>"$errors"
    if [ -s "$errors" ] || ! grep -q '^VARNELLE(1)' "$page"; then
        echo "test-package: man varnelle did not show the page without complaint:" >&2
        cat "$errors" >&2
        exit 1
    fi
    echo "test-package: man varnelle: $(wc -l <"$page") lines"
}

# Everything below runs in a mount namespace of its own (debootstrap mounts
# too), so no mount outlives the run, however it ends.
if [ "${1:-}" != --inside ]; then
    status=0
    unshare --mount --propagation private "$0" --inside "$@" || status=$?
    [ $status -eq 0 ] && echo "test-package: passed"
    exit $status
fi
shift

if [ $# -ne 3 ]; then
    echo "usage: $0 PACKAGE.deb E2E_TESTS CACHE_DIR" >&2
    exit 2
fi
package=$(realpath "$1")
e2e_tests=$(realpath "$2")
cache_dir=$(realpath -m "$3")
root="$cache_dir/root"
pristine="$cache_dir/pristine-$suite.tar"
archives="$cache_dir/archives"
# The Debian archive and its security archive, as this machine's apt has them.
mirror=$(apt_archive_uri debian)
security=$(apt_archive_uri debian-security)

# lintian as an ordinary user (it warns against root), on a copy that user
# can read, from that copy's folder (the checkout's may be closed to it); it
# fails on errors, and shows every other tag.
echo "test-package: lintian $(basename "$package")"
lint_dir=$(mktemp -d)
chmod 755 "$lint_dir"
install -m 644 "$package" "$lint_dir/"
lintian_status=0
(cd "$lint_dir" && setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$lint_dir" \
    lintian --display-info --display-experimental --pedantic "$(basename "$package")") \
    || lintian_status=$?
rm -rf "$lint_dir"
if [ $lintian_status -ne 0 ]; then
    echo "test-package: lintian failed (status $lintian_status)" >&2
    exit 1
fi

mkdir -p "$cache_dir" "$archives"
# The tarball is made again when what it is made from changes.
recipe="$suite $mirror $security $extra_packages"
if [ ! -f "$pristine" ] || [ "$(cat "$pristine.recipe" 2>/dev/null)" != "$recipe" ]; then
    make_pristine_root
    echo "$recipe" >"$pristine.recipe"
fi
install_and_run "$package" "$e2e_tests"
