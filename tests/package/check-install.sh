#!/usr/bin/env bash
# The install tree and the manual page: `cmake --install` into a fresh
# prefix (with a blank in its name) gives exactly the viewer, its compressed
# manual page and the documentation with every picture the README shows; the
# page formats cleanly with groff, mandoc and man at 80 columns.
# Usage: tests/package/check-install.sh BUILD_DIR SOURCE_DIR
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
# What the tree must hold: the pictures are those the README links to.
expected=(bin/varnelle "$page" "$doc/README.md" "$doc/copyright" "$doc/changelog.gz")
while read -r picture; do
    expected+=("$doc/$picture")
done < <(grep -oE 'src="docs/[^"]+"' "$source_dir/README.md" | sed 's/^src="//; s/"$//' | sort -u)

(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$work/installed"
printf '%s\n' "${expected[@]}" | sort >"$work/expected"
if ! diff -u "$work/expected" "$work/installed" >"$work/tree.diff"; then
    fail "the install tree differs from what is expected (- missing, + extra):"
    cat "$work/tree.diff" >&2
fi
[ -x "$prefix/bin/varnelle" ] || fail "bin/varnelle is not executable"

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

[ $failures -eq 0 ] && echo "check-install: install tree and manual page as expected"
[ $failures -eq 0 ]
