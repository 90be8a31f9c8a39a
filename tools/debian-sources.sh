#!/usr/bin/env bash
# Make Debian's source packages reachable for apt-get source: if apt knows no
# source of freeglut, add a deb-src entry beside every deb entry of Debian's
# archive (same URIs, suites and components) in a file of its own, and say so.
# Uses sudo when not run as root.
set -eu

if apt-cache showsrc freeglut 2>/dev/null | grep -q '^Package: freeglut'; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
fi
added=/etc/apt/sources.list.d/varnelle-deb-src.sources

# deb822 stanzas whose Types name deb, copied with Types: deb-src.
entries=$(awk '
    BEGIN { RS = ""; ORS = "\n\n" }
    /(^|\n)Types:[^\n]*[[:space:]]deb([[:space:]]|$)/ {
        sub(/Types:[^\n]*/, "Types: deb-src"); print
    }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
# One-line entries (sources.list and *.list) written as deb822 stanzas.
legacy=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    awk '$1 == "deb" && $2 !~ /^\[/ {
        printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:", $2, $3
        for (i = 4; i <= NF; i++) printf " %s", $i
        printf "\n\n"
    }' || true)
if [ -z "$entries$legacy" ]; then
    echo "debian-sources: no deb entry found to copy; add a deb-src entry for Debian's archive" >&2
    exit 1
fi

printf '%s\n%s' "$entries" "$legacy" | $sudo tee "$added" >/dev/null
echo "debian-sources: apt knew no source packages; wrote $added with these entries:"
sed 's/^/    /' "$added"
echo "debian-sources: running apt-get update"
$sudo apt-get update -qq
