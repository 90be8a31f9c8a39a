#!/usr/bin/env bash
# Run the tests labelled windows (ctest's test preset "windows"): the checks
# of the cross-built viewer, and the end-to-end and abuse tests against it
# under Wine on private X servers of their own.
# Wine gets a private prefix, made afresh for this run in
# WINDOWS_BUILD_DIR/wine, with its debug output and its Mono and Gecko
# installers off, and its temporary files kept there too.
# Usage: platform/windows/test.sh WINDOWS_BUILD_DIR BUILD_DIR
# (BUILD_DIR: the test preset's build, where ctest keeps its log)
set -eu
build_dir="$(cd "$1" && pwd)"
wine_dir="$build_dir/wine"

export WINEPREFIX="$wine_dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TMPDIR="$wine_dir/tmp"
# A server left from an earlier run of this prefix goes with it.
if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
fi
rm -rf "$wine_dir"
mkdir -p "$TMPDIR"

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

# Cases of the tests' tables that mean nothing on Windows say so in the log.
log="$2/Testing/Temporary/LastTest.log"
if grep -q 'SKIPPED  \] on Windows' "$log" 2>/dev/null; then
    echo "wine-test: cases skipped on Windows:"
    grep -o 'on Windows, .*' "$log" | sort -u | sed 's/^on Windows, /    /'
fi
exit "$status"
