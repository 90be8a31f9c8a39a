#!/usr/bin/env bash
# The lists that can drift from the tree, kept honest:
# - make help: every target of the Makefile carries its help line, and the
#   table lists every target, each once;
# - the pages (README.md, docs/): every file they name by its path in the
#   project, or by its name alone, is in the tree (git ls-files), and every
#   piece of the browser test is named in docs/web-internals.md.
# Usage: tools/check-lists.sh PROJECT_ROOT
set -u
root=$1
cd "$root" || exit 1
failures=0
fail() {
    echo "check-lists: $*" >&2
    failures=$((failures + 1))
}

# The Makefile's rules (not its variables), its .PHONY list, and the table.
rules=$(grep -oE '^[a-z][a-z-]*:' Makefile | grep -v ':=' | tr -d ':' | sort)
phony=$(sed -n '/^\.PHONY:/,/[^\\]$/p' Makefile | sed 's/^\.PHONY://; s/\\//' | tr ' \t' '\n\n' |
    grep . | sort)
listed=$(tools/make-help.sh Makefile | tail -n +2 | grep -oE '^[a-z][a-z-]*' | sort)
[ "$rules" = "$phony" ] || fail "the Makefile's rules and its .PHONY list differ:" \
    "$(diff <(echo "$rules") <(echo "$phony") | grep '^[<>]' | tr '\n' ' ')"
[ "$rules" = "$listed" ] || fail "make help does not list each target once (a rule without its" \
    "'## ' line?):" "$(diff <(echo "$rules") <(echo "$listed") | grep '^[<>]' | tr '\n' ' ')"

# Files named in the pages, in code spans.
tracked=$(git ls-files)
folders=$(echo "$tracked" | grep / | cut -d/ -f1 | sort -u)
pages=$(git ls-files README.md 'docs/*.md')
for page in $pages; do
    for name in $(grep -oE '`[^` ]+`' "$page" | tr -d '`' | sort -u); do
        case $name in
            */*)
                # A path in the project: it starts with one of its folders.
                grep -qx -- "${name%%/*}" <<<"$folders" || continue
                pattern=${name%/}
                if [[ $pattern == *'*'* ]]; then
                    compgen -G "$pattern" >/dev/null || fail "$page names $name, which matches nothing"
                elif ! grep -qx -- "$pattern" <<<"$tracked" &&
                    ! grep -q -- "^$pattern/" <<<"$tracked"; then
                    fail "$page names $name, which is not in the tree"
                fi
                ;;
            [A-Za-z0-9_]*.cpp | [A-Za-z0-9_]*.h | [A-Za-z0-9_]*.js | [A-Za-z0-9_]*.sh | \
                [A-Za-z0-9_]*.in | [A-Za-z0-9_]*.json | [A-Za-z0-9_]*.cmake | \
                [A-Za-z0-9_]*.html | [A-Za-z0-9_]*.txt)
                # A file by its name alone.
                grep -qE -- "(^|/)${name//./\\.}$" <<<"$tracked" ||
                    fail "$page names $name, which is no file of the tree"
                ;;
        esac
    done
done
for piece in $(git ls-files 'platform/web/test/*.js'); do
    grep -q -- "$(basename "$piece")" docs/web-internals.md ||
        fail "docs/web-internals.md does not name $piece"
done

[ $failures -eq 0 ] && echo "check-lists: make help lists every target; the pages name only files of the tree"
[ $failures -eq 0 ]
