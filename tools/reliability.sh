#!/usr/bin/env bash
# Run the abuse tests against the normal build and against the sanitized
# build, and write their figures to docs/reliability.md from the template
# reliability.md.in beside this script.
# Usage: tools/reliability.sh BUILD_DIR SANITIZE_BUILD_DIR
set -eu
build_dir=$1
sanitize_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
values=$(mktemp -d)
trap 'rm -rf "$values"' EXIT

export_sanitizer_options

# Run the abuse tests of one build; their rows go to the named file.
run_abuse() {
    local dir=$1 rows=$2
    VARNELLE_RELIABILITY_REPORT="$rows" \
        "$dir/tests/varnelle_e2e_tests" --gtest_filter='Abuse.*' --gtest_brief=1
}

run_abuse "$build_dir" "$values/normalRows"
run_abuse "$sanitize_dir" "$values/sanitizedRows"
date -u +%Y-%m-%d >"$values/date"
nproc >"$values/cores"
"$here/fill-page.sh" "$here/reliability.md.in" "$values" "$here/../docs/reliability.md" \
    "make reliability"
echo "reliability: wrote docs/reliability.md"
