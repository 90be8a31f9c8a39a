#!/usr/bin/env bash
# The install step's groups: make run installs only the build group and,
# with no display, the tour group, so neither may hold a package that only
# the tests, the documentation, the benchmark, the Debian package or a port
# needs.
# Usage: tools/check-install-groups.sh PATH/TO/install-deps.sh
set -u
deps=$1
run=$( { "$deps" --list build && "$deps" --list tour; } | sort -u) || exit 1
failures=0
for group in test docs bench package windows web; do
    members=$("$deps" --list "$group") || exit 1
    for package in $members; do
        if grep -qx -- "$package" <<<"$run"; then
            echo "check-install-groups: $package, of the $group group, is also in what make run installs" >&2
            failures=$((failures + 1))
        fi
    done
done
[ $failures -eq 0 ] && echo "check-install-groups: make run's groups hold no package of the others"
[ $failures -eq 0 ]
