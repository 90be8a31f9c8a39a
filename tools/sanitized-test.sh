#!/usr/bin/env bash
# Run the whole suite against the build with AddressSanitizer and
# UndefinedBehaviorSanitizer in BUILD_DIR (make sanitize-build makes it) on a
# private X server, and fail on any sanitizer report. Further arguments go to
# ctest, to run some tests only (-R NAME) or again (--repeat until-fail:5).
# Usage: tools/sanitized-test.sh BUILD_DIR [CTEST_ARGUMENT...]
set -eu
build_dir=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

# AddressSanitizer writes each process's report to a file of its own here;
# UndefinedBehaviorSanitizer writes to standard error, which CTest's log of
# the run keeps for every test. Either ends the process with its own status.
logs="$build_dir/sanitizer-reports"
output="$build_dir/Testing/Temporary/LastTest.log"
rm -rf "$logs" "$output"
mkdir -p "$logs"
sanitizer_status=86
export_sanitizer_options "exitcode=$sanitizer_status:log_path=$logs/asan" "exitcode=$sanitizer_status"

status=0
"$build_dir/varnelle-xserver" ctest --test-dir "$build_dir" --output-on-failure "$@" || status=$?

if compgen -G "$logs/*" >/dev/null || grep -qE 'runtime error:|Sanitizer' "$output"; then
    echo "sanitized-test: sanitizer reports:" >&2
    cat "$logs"/* 2>/dev/null >&2 || true
    grep -E -A 20 'runtime error:|Sanitizer' "$output" >&2 || true
    exit 1
fi
if [ "$status" -ne 0 ]; then
    exit "$status"
fi
what="the whole suite"
[ $# -eq 0 ] || what="the tests asked for ($*)"
echo "sanitized-test: $what passed with AddressSanitizer and UndefinedBehaviorSanitizer, no report"
