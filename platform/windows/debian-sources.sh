#!/usr/bin/env bash
# Make Debian's source packages reachable for apt-get source: if apt knows no
# source of freeglut, add a deb-src entry beside every deb entry of this
# machine's apt sources (same options, URIs, suites and components) in a file
# of its own, and say so. Uses sudo when not run as root.
set -eu
. "$(dirname "$0")/../../tools/lib.sh"

if apt-cache showsrc freeglut 2>/dev/null | grep -q '^Package: freeglut'; then
    exit 0
fi

added=/etc/apt/sources.list.d/varnelle-deb-src.list
entries=$(apt_entries | awk '$1 == "deb" { $1 = "deb-src"; print }')
if [ -z "$entries" ]; then
    echo "debian-sources: no deb entry in $apt_source_files to copy; add a deb-src entry for Debian's archive" >&2
    exit 1
fi

printf '%s\n' "$entries" | as_root tee "$added" >/dev/null
echo "debian-sources: apt knew no source packages; wrote $added with these entries:"
sed 's/^/    /' "$added"
echo "debian-sources: running apt-get update"
as_root apt-get update -qq
