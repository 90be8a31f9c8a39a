#!/usr/bin/env bash
# Run the tests labelled windows (ctest's test preset "windows"): the checks
# of the cross-built viewer, and the end-to-end and abuse tests against it
# under Wine on private X servers of their own.
# Wine gets a private prefix, made afresh for this run in
# WINDOWS_BUILD_DIR/wine, with its debug output and its Mono and Gecko
# installers off, and its temporary files kept there too.
# Usage: tools/wine-test.sh WINDOWS_BUILD_DIR
set -eu
wine_dir="$(cd "$1" && pwd)/wine"

rm -rf "$wine_dir"
mkdir -p "$wine_dir/tmp"
export WINEPREFIX="$wine_dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TMPDIR="$wine_dir/tmp"

started=$(date +%s)
# The prefix needs no display; its 32-bit parts are missing (there is no
# wine32), which wineboot reports and which nothing here needs.
if ! (unset DISPLAY; wine wineboot --init && wineserver -w) >"$wine_dir/wineboot.log" 2>&1; then
    echo "wine-test: wineboot could not make the prefix:" >&2
    cat "$wine_dir/wineboot.log" >&2
    exit 1
fi
echo "wine-test: made the Wine prefix $WINEPREFIX in $(($(date +%s) - started)) s"

status=0
ctest --preset windows || status=$?
# Wine's server and services for the prefix outlive the last program a while.
wineserver -k 2>/dev/null || true
exit "$status"
