#!/usr/bin/env bash
# The install tree and the manual page: `cmake --install` into a fresh
# prefix (with a blank in its name) gives exactly the viewer, its compressed
# manual page, the README and the pages under docs/ with their pictures, and
# every link of those pages leads to a file that was installed; the manual
# page formats cleanly with groff, mandoc and man at 80 columns.
# Usage: platform/debian/check-install.sh BUILD_DIR SOURCE_DIR
set -u
build_dir=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/a prefix"
failures=0

fail() {
    echo "check-install: $*" >&2
    failures=$((failures + 1))
}

if ! cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    echo "check-install: cmake --install failed" >&2
    exit 1
fi

doc=share/doc/varnelle
page=share/man/man1/varnelle.1.gz
# What the tree must hold: the documentation is the README and the pages,
# the handout and the pictures under docs/.
expected=(bin/varnelle "$page" "$doc/README.md" "$doc/copyright" "$doc/changelog.gz")
while read -r file; do
    expected+=("$doc/$file")
done < <(cd "$source_dir" && find docs -type f \( -name '*.md' -o -name '*.html' -o -name '*.png' \) | sort)

(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$work/installed"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/installed" >"$work/tree.diff"; then
    fail "the install tree differs from what is expected (- missing, + extra):"
    cat "$work/tree.diff" >&2
fi
[ -x "$prefix/bin/varnelle" ] || fail "bin/varnelle is not executable"

# Every picture and relative link of the installed pages leads to a file
# that was installed (web addresses and links within a page are left out).
while read -r installed_page; do
    folder=$(dirname "$installed_page")
    while read -r target; do
        [ -e "$folder/${target%%#*}" ] || fail "${installed_page#"$prefix/"} links to $target, which was not installed"
    done < <(grep -oE 'src="[^"]+"|\]\([^)]+\)' "$installed_page" | sed -E 's/^src="(.*)"$/\1/; s/^\]\((.*)\)$/\1/' |
        grep -vE '^(https?:|#|mailto:)')
done < <(find "$prefix/$doc" -name '*.md')

# gzip -9n: no stored name (flag byte 0) and no time stamp (bytes 4 to 7).
for compressed in "$page" "$doc/changelog.gz"; do
    header=$(od -An -tx1 -N8 "$prefix/$compressed" | tr -d ' \n')
    [ "$header" = 1f8b080000000000 ] || fail "$compressed has header $header, not gzip -n"
done

zcat "$prefix/$page" >"$work/varnelle.1"
for formatter in "groff -t -ww -z -man" "mandoc -T lint"; do
    if ! $formatter "$work/varnelle.1" >"$work/format.log" 2>&1 || [ -s "$work/format.log" ]; then
        fail "$formatter complains about the manual page:"
        cat "$work/format.log" >&2
    fi
done
MANWIDTH=80 MANPAGER=cat man -l "$work/varnelle.1" >"$work/man.txt" 2>"$work/man.err"
if [ -s "$work/man.err" ]; then
    fail "man -l at 80 columns complains:"
    cat "$work/man.err" >&2
fi
grep -q '^VARNELLE(1)' "$work/man.txt" || fail "man -l does not show VARNELLE(1)"
for heading in NAME SYNOPSIS DESCRIPTION KEYS "EXIT STATUS" ENVIRONMENT; do
    grep -q "^$heading" "$work/man.txt" || fail "the manual page lacks its $heading section"
done

[ $failures -eq 0 ] && echo "check-install: install tree and manual page as expected"
[ $failures -eq 0 ]
