#!/usr/bin/env bash
# Write a generated page from its template, the one way every generator of
# the project does it. Each {name} in TEMPLATE (a lower camel case name in
# braces) becomes the text of the file VALUES_DIR/name, without its last
# newline; {commit} becomes the commit the work tree is at, marked
# "(with uncommitted changes)" when files other than the generated pages in
# docs/ differ from it. A placeholder with no value stops the run. The page
# opens with a comment naming COMMAND, which rewrites it, and the template.
# Usage: tools/fill-page.sh TEMPLATE VALUES_DIR OUTPUT COMMAND
set -eu
if [ $# -ne 4 ]; then
    echo "usage: tools/fill-page.sh TEMPLATE VALUES_DIR OUTPUT COMMAND" >&2
    exit 2
fi
template=$1
values=$2
output=$3
command=$4
repo=$(cd "$(dirname "$0")/.." && pwd)

if commit=$(git -C "$repo" rev-parse --short HEAD 2>/dev/null); then
    if [ -n "$(git -C "$repo" status --porcelain --untracked-files=no -- . ':(exclude)docs')" ]; then
        commit="$commit (with uncommitted changes)"
    fi
else
    commit="unknown (not a git work tree)"
fi

trap 'rm -f "$output.part"' EXIT
{
    printf '<!-- Written by `%s` from %s: edit the template, not this page. -->\n' \
        "$command" "$(realpath --relative-to="$repo" "$template")"
    awk -v values="$values" -v commit="$commit" '
        # The text of a value file, without its last newline.
        function value(name,    path, text, line, count) {
            if (name == "commit") return commit
            path = values "/" name
            text = ""
            count = 0
            while ((getline line < path) > 0) {
                text = text (count++ ? "\n" : "") line
            }
            if (count == 0 && (getline line < path) < 0) {
                printf "fill-page: no value for {%s} (no file %s)\n", name, path > "/dev/stderr"
                failed = 1
                exit 1
            }
            close(path)
            return text
        }
        {
            line = $0
            out = ""
            while (match(line, /\{[a-z][A-Za-z0-9]*\}/)) {
                out = out substr(line, 1, RSTART - 1) value(substr(line, RSTART + 1, RLENGTH - 2))
                line = substr(line, RSTART + RLENGTH)
            }
            print out line
        }' "$template"
} >"$output.part"
mv "$output.part" "$output"
