#!/usr/bin/env bash
# Run the viewer through a launcher prefix (for example chroot ROOT
# /usr/bin/varnelle) on the X server named by DISPLAY and check it the way a
# user meets it: the window's title, the first trace lines RO then D, and
# Escape ending it with status 0.
# Usage: tests/package/run-check.sh LAUNCHER...
set -u
title="Varnelle en OpenGL "
wait_seconds=20
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "run-check: $*" >&2
    echo "run-check: trace so far:" >&2
    tr -d '\r' <"$work/trace" >&2
    exit 1
}

# The trace through a pseudo-terminal, as in a terminal: line-buffered, so
# it can be read while the viewer runs. script passes on the exit status.
script -qfec "$(printf '%q ' "$@")" /dev/null >"$work/trace" 2>&1 </dev/null &
pid=$!

window=""
for _ in $(seq $((wait_seconds * 10))); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1)
    [ -n "$window" ] && [ "$(tr -d '\r' <"$work/trace" | head -n 2 | tr '\n' ' ')" = "RO D " ] && break
    kill -0 "$pid" 2>/dev/null || fail "the viewer ended before showing its window"
    sleep 0.1
done
[ -n "$window" ] || fail "no visible window titled '$title'"
first=$(tr -d '\r' <"$work/trace" | head -n 2 | tr '\n' ' ')
[ "$first" = "RO D " ] || fail "the trace does not begin with RO then D"
shown=$(xprop -id "$window" WM_NAME)
[ "$shown" = "WM_NAME(STRING) = \"$title\"" ] || fail "window title is $shown"

# The key goes where the pointer is: over the window, with no window manager.
xdotool mousemove --window "$window" 10 10 key Escape
status=""
for _ in $(seq $((wait_seconds * 10))); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        status=$?
        break
    fi
    sleep 0.1
done
[ -n "$status" ] || fail "the viewer did not end on Escape"
[ "$status" -eq 0 ] || fail "the viewer ended with status $status on Escape"
last=$(tr -d '\r' <"$work/trace" | tail -n 1)
[ "$last" = K ] || fail "the last trace line is '$last', not K"
echo "run-check: window '$title' shown, trace began RO, D; Escape ended it with status 0"
