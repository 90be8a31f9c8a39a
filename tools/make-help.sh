#!/usr/bin/env bash
# Print the Makefile's targets as a table, one line each, from the line each
# carries just above it:  ## TIME | NETWORK | REWRITES | WHAT
# Each column is as wide as its widest entry.
# Usage: tools/make-help.sh MAKEFILE
set -eu
awk '
    /^## / { note = substr($0, 4); next }
    /^[a-z][a-z-]*:/ && note != "" {
        rows++
        cell[rows, 1] = substr($0, 1, index($0, ":") - 1)
        split(note, field, / [|] /)
        for (column = 1; column <= 4; column++) cell[rows, column + 1] = field[column]
    }
    { note = "" }
    END {
        split("make TARGET|TIME|NETWORK|REWRITES|WHAT", heading, "|")
        for (column = 1; column <= 5; column++) {
            cell[0, column] = heading[column]
            for (row = 0; row <= rows; row++)
                if (length(cell[row, column]) > width[column]) width[column] = length(cell[row, column])
        }
        for (row = 0; row <= rows; row++)
            printf "%-*s %-*s %-*s %-*s %s\n", width[1], cell[row, 1], width[2], cell[row, 2],
                width[3], cell[row, 3], width[4], cell[row, 4], cell[row, 5]
    }
' "$1"
echo "TIME: about, on 2 cores, with its Debian packages in. NETWORK: what it may fetch"
echo "(apt: missing Debian packages; npm, a Debian root, a Debian source: on the first run only)."
