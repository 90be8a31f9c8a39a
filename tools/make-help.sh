#!/usr/bin/env bash
# Print the Makefile's targets as a table, one line each, from the line each
# carries just above it:  ## TIME | NETWORK | REWRITES | WHAT
# Usage: tools/make-help.sh MAKEFILE
set -eu
format='%-15s %-7s %-16s %-28s %s\n'
printf "$format" "make TARGET" "TIME" "NETWORK" "REWRITES" "WHAT"
awk -v format="$format" '
    /^## / { note = substr($0, 4); next }
    /^[a-z][a-z-]*:/ && note != "" {
        split(note, field, / [|] /)
        printf format, substr($0, 1, index($0, ":") - 1), field[1], field[2], field[3], field[4]
    }
    { note = "" }
' "$1"
echo "TIME: about, on 2 cores, with its Debian packages in. NETWORK: what it may fetch"
echo "(apt: missing Debian packages; npm, a Debian root, a Debian source: on the first run only)."
