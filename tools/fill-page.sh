#!/usr/bin/env bash
# Write a generated page from its template, the one way every generator of
# the project does it. Each {name} in TEMPLATE (a lower camel case name in
# braces) becomes the text of the file VALUES_DIR/name, without its last
# newline; {commit} becomes the commit the work tree is at, marked
# "(with uncommitted changes)" when files other than the generated pages in
# docs/ differ from it. A placeholder with no value stops the run. The page
# opens with a comment naming COMMAND, which rewrites it, and the template.
#
# With fr, the page is French Markdown: a value set in its prose writes its
# numbers as French prose does, a decimal comma (6,62) and " ; " between
# the numbers of a list or tuple ((0 ; 0 ; 100)). A value set in code (a
# code span or block of the template, or of the value itself) keeps them
# as the program wrote them, and so does a link's or a picture's address,
# and a value that is a web address.
# Usage: tools/fill-page.sh TEMPLATE VALUES_DIR OUTPUT COMMAND [fr]
set -eu
if [ $# -lt 4 ] || [ $# -gt 5 ] || [ "${5:-fr}" != fr ]; then
    echo "usage: tools/fill-page.sh TEMPLATE VALUES_DIR OUTPUT COMMAND [fr]" >&2
    exit 2
fi
template=$1
values=$2
output=$3
command=$4
french=${5:+1}
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
    awk -v values="$values" -v commit="$commit" -v french="${french:-0}" '
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
        # French prose numbers: " ; " between the numbers of a list, then a
        # decimal comma.
        function frenchNumbers(text,    number, out, piece) {
            number = "-?[0-9]+([.][0-9]+)?"
            out = ""
            while (match(text, number "(, " number ")+")) {
                piece = substr(text, RSTART, RLENGTH)
                gsub(/, /, " ; ", piece)
                out = out substr(text, 1, RSTART - 1) piece
                text = substr(text, RSTART + RLENGTH)
            }
            text = out text
            out = ""
            while (match(text, /[0-9][.][0-9]/)) {
                out = out substr(text, 1, RSTART) ","
                text = substr(text, RSTART + 2)
            }
            return out text
        }
        # A value as French prose writes it: its code spans and blocks (odd
        # pieces between backticks) as they are.
        function frenchProse(text,    pieces, count, i, out) {
            if (text ~ /^https?:/) return text
            count = split(text, pieces, "`")
            out = ""
            for (i = 1; i <= count; i++) {
                out = out (i > 1 ? "`" : "") (i % 2 ? frenchNumbers(pieces[i]) : pieces[i])
            }
            return out
        }
        # Whether the template is in code where a line starts: a fenced
        # block, an indented one, or a code span left open on the lines
        # above in the paragraph (an odd count of backticks).
        /^```/ { fenced = !fenced; ticks = 0 }
        /^$/ { ticks = 0 }
        {
            indented = !fenced && /^    / && (indented || previousBlank)
            previousBlank = $0 == ""
            line = $0
            out = ""
            while (match(line, /\{[a-z][A-Za-z0-9]*\}/)) {
                # The rest of the line is taken first: value() and
                # frenchProse() match too, which moves RSTART and RLENGTH.
                before = substr(line, 1, RSTART - 1)
                name = substr(line, RSTART + 1, RLENGTH - 2)
                rest = substr(line, RSTART + RLENGTH)
                text = value(name)
                ticks += gsub(/`/, "`", before)
                code = fenced || indented || ticks % 2 || before ~ /(\]\(|src="|href=")$/
                out = out before (french && !code ? frenchProse(text) : text)
                line = rest
            }
            ticks += gsub(/`/, "`", line)
            print out line
        }' "$template"
} >"$output.part"
mv "$output.part" "$output"
