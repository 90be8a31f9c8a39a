#!/usr/bin/env bash
# Run the abuse tests against the normal build and against the sanitized
# build, and write their figures to docs/reliability.md.
# Usage: tools/reliability.sh BUILD_DIR SANITIZE_BUILD_DIR
set -eu
build_dir=$1
sanitize_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
page="$here/../docs/reliability.md"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Leak detection is off for the reason given in tools/sanitized-test.sh.
export ASAN_OPTIONS="detect_leaks=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Run the abuse tests of one build; their rows go to the named file.
run_abuse() {
    local dir=$1 rows=$2
    VARNELLE_RELIABILITY_REPORT="$rows" \
        "$dir/tests/varnelle_e2e_tests" --gtest_filter='Abuse.*' --gtest_brief=1
}

run_abuse "$build_dir" "$work/normal.rows"
run_abuse "$sanitize_dir" "$work/sanitized.rows"

table_header='| Input | Inputs tried | Viewer runs | Runs that ended well | Trace lines lost |
|---|---|---|---|---|'
{
    echo "# Reliability"
    echo
    echo "What the viewer was put through, from the outside: real key events"
    echo "through XTest, window resizes and full-screen toggles from a client of"
    echo "the X server, a hostile environment, and standard outputs that cannot"
    echo "take the trace. Each row is one test of \`tests/e2e/test_hardening.cpp\`."
    echo "A run ended well when the viewer lived on and answered (and, where the"
    echo "test ends it, exited with status 0), or, in a hostile environment,"
    echo "stopped at once with a message on standard error and status 1. The"
    echo "Enter storm and the resizes wrote no \"Attention erreur\" line and no"
    echo "number that is not finite."
    echo
    echo "Produced by \`make reliability\` on $(date -u +%Y-%m-%d), commit"
    echo "$(git -C "$here/.." rev-parse --short HEAD), on a machine with $(nproc) cores,"
    echo "Xvfb and Mesa's llvmpipe renderer."
    echo
    echo "## Normal build"
    echo
    echo "$table_header"
    cat "$work/normal.rows"
    echo
    echo "## AddressSanitizer and UndefinedBehaviorSanitizer build"
    echo
    echo "The same tests against the viewer built with \`-DVARNELLE_SANITIZE=ON\`;"
    echo "\`make test\` also runs the whole suite against this build and fails on"
    echo "any sanitizer report (leak detection is off: Mesa and freeglut keep"
    echo "allocations for the life of the process)."
    echo
    echo "$table_header"
    cat "$work/sanitized.rows"
    echo
    echo "## Faults found and fixed"
    echo
    echo "- With standard output closed, the display connection took descriptor"
    echo "  1, and once the trace filled a block the C library wrote it into the"
    echo "  X protocol stream: the viewer stopped drawing. The viewer now gives"
    echo "  any closed standard stream /dev/null before it opens the display."
    echo "- A window with a zero side would have given the projection an"
    echo "  infinite or undefined ratio; the projection now treats a zero side"
    echo "  as one pixel (the size is still recorded and the viewport set)."
} >"$page"
echo "reliability: wrote $page"
