#!/usr/bin/env bash
# The headless tour: runs the real viewer on a private virtual X server under
# a window manager, steps through every command with real key events and
# saves a picture of each view.
#
# Usage: tools/tour.sh PATH/TO/varnelle OUTPUT_DIR [DOCS_DIR]
#
# It starts Xvfb (through with-xvfb.sh) and openbox (before the viewer, so
# that GLUT finds a window manager that can do full screen), runs the viewer
# in a pseudo-terminal so that its trace arrives line by line, and waits on
# the trace after each key instead of sleeping. Pictures go to OUTPUT_DIR as PNG files; with DOCS_DIR
# the window-sized ones are copied there too, with the full-screen one scaled
# down to the window's width. At the end it prints the viewer's trace and
# where the pictures are. Everything it started is stopped when it ends, also
# on failure. Set VARNELLE_SCREEN to change the screen size (1280x1024x24).
set -eu

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: tools/tour.sh PATH/TO/varnelle OUTPUT_DIR [DOCS_DIR]" >&2
    exit 2
fi
# Run on a private X server of our own, started and stopped by with-xvfb.sh.
if [ -z "${VARNELLE_TOUR_SERVER:-}" ]; then
    VARNELLE_TOUR_SERVER=1 exec "$(dirname "$0")/with-xvfb.sh" "$0" "$@"
fi
viewer=$1
out_dir=$2
docs_dir=${3:-}
title='Varnelle en OpenGL '
# Seconds to wait for any one thing the tour waits on.
timeout_seconds=20
# Width of the scaled-down full-screen picture for the README.
docs_width=480

if [ ! -x "$viewer" ]; then
    echo "tour: no viewer at $viewer; build it first (make build)." >&2
    exit 1
fi
mkdir -p "$out_dir"
work_dir=$(mktemp -d)
trace_raw="$work_dir/trace.raw"
: >"$trace_raw"

wm_pid=""
viewer_pid=""
# Stop what the tour started, newest first, and remove its scratch files.
cleanup() {
    for pid in $viewer_pid $wm_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work_dir"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# The trace as the viewer wrote it, without the terminal's carriage returns.
trace() {
    tr -d '\r' <"$trace_raw"
}

fail() {
    echo "tour: $*" >&2
    echo "tour: trace so far:" >&2
    trace | sed 's/^/    /' >&2
    exit 1
}

# Run a command every tenth of a second until it succeeds or time runs out.
wait_until() {
    local what=$1
    shift
    local tries=$((timeout_seconds * 10))
    until "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}

# Trace lines already accounted for; each wait looks only past this mark.
mark=0
# Succeed when the lines past the mark hold the given lines in order (others
# may come between, such as extra frames that expose events bring); then move
# the mark past the last of them.
trace_has() {
    local found
    found=$(trace | awk -v mark="$mark" -v want="$*" '
        BEGIN { n = split(want, lines, "|"); i = 1 }
        NR > mark && i <= n && $0 == lines[i] { i++; if (i > n) { print NR; exit } }')
    [ -n "$found" ] || return 1
    mark=$found
}
# Wait for trace lines, given as one argument each.
await_trace() {
    local joined
    joined=$(IFS='|'; echo "$*")
    local tries=$((timeout_seconds * 10))
    until trace_has "$joined"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "timed out waiting for the trace lines: $*"
        sleep 0.1
    done
}

# Press a key (xdotool key name) in the focused viewer window.
press() {
    xdotool key "$1"
}

# The space bar is no command: its "K" shows that the viewer has finished
# everything it was doing before, including the last frame and its swap.
settle() {
    press space
    await_trace K
}

# Save the viewer's client area as OUTPUT_DIR/NAME.png, checking that the
# picture has the window's current size.
picture() {
    local png="$out_dir/$1.png"
    xwd -silent -id "$window" -out "$work_dir/window.xwd" || fail "xwd could not read the window"
    xwdtopnm "$work_dir/window.xwd" 2>/dev/null | pnmtopng >"$png" 2>/dev/null
    local size
    size=$(pngtopnm "$png" | pnmfile | awk '{ print $4, $6 }')
    [ "$size" = "$(geometry | cut -d ' ' -f 3,4)" ] || fail "$png is $size, not the window's size"
    echo "tour: saved $png"
}

# Client-area geometry of the viewer window, as "X Y WIDTH HEIGHT".
geometry() {
    xwininfo -id "$window" | awk '
        /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF }
        END { print x, y, w, h }'
}
geometry_is() {
    [ "$(geometry)" = "$1" ]
}

screen_size=$(xwininfo -root | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w, h }')

# The window manager, ready once it announces itself on the root window.
openbox --sm-disable >"$work_dir/openbox.log" 2>&1 &
wm_pid=$!
wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}
wait_until "the window manager" wm_ready

# The viewer, unchanged and with no options, in a pseudo-terminal: script
# copies what it writes to the trace file as it comes.
# A window mapped while openbox is still starting can stay unmapped, and the
# viewer then waits for it for ever: give the first frame a few seconds, and
# start the viewer once more if it has not come.
first_frame_seconds=5
start_viewer() {
    : >"$trace_raw"
    script -qfec "$viewer" /dev/null </dev/null >"$trace_raw" 2>&1 &
    viewer_pid=$!
    local tries=$((first_frame_seconds * 10))
    until trace_has "RO|D"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}
if ! start_viewer; then
    echo "tour: no first frame within ${first_frame_seconds} s; starting the viewer again" >&2
    kill "$viewer_pid" 2>/dev/null || true
    wait "$viewer_pid" 2>/dev/null || true
    start_viewer || fail "timed out waiting for the viewer's first frame"
fi
window=$(timeout "$timeout_seconds" xdotool search --sync --name "^$title\$" | head -n 1)
[ -n "$window" ] || fail "no window titled '$title'"
timeout "$timeout_seconds" xdotool windowactivate --sync "$window" || fail "could not activate the viewer window"
focused() {
    [ "$(xdotool getwindowfocus)" = "$window" ]
}
wait_until "the viewer to have the focus" focused
window_geometry=$(geometry)
settle
echo "tour: viewer window $window, client area at ${window_geometry% * *}," \
    "size ${window_geometry#* * }, screen $screen_size"

picture station-0-orthographic

# Enter: the three perspective stations.
station=1
for line in "RP1 100.00  11.46" "RP2 141.42   8.10" "RP3 173.21   6.62"; do
    press Return
    await_trace K "$line" D
    settle
    picture "station-$station-perspective"
    station=$((station + 1))
done

# z: wireframe, then filled again, seen from the last station.
press z
await_trace K D
settle
picture wireframe
press z
await_trace K D

# Enter: back to the orthographic station.
press Return
await_trace K RO D
settle

# f: white, black, then grey again.
for colour in white black grey; do
    press f
    await_trace K D
    settle
    picture "background-$colour"
done

# F: full screen, the station applied to the screen's size, then back.
press F
await_trace K RO D
wait_until "full screen" geometry_is "0 0 $screen_size"
settle
picture full-screen
press F
await_trace K RO D
wait_until "the window's size and place again" geometry_is "$window_geometry"
settle

# Escape: the viewer ends with status 0.
press Escape
await_trace K
status=0
wait "$viewer_pid" || status=$?
viewer_pid=""
[ "$status" -eq 0 ] || fail "the viewer ended with status $status"

if [ -n "$docs_dir" ]; then
    mkdir -p "$docs_dir"
    for name in station-0-orthographic station-1-perspective station-2-perspective \
        station-3-perspective wireframe background-white background-black background-grey; do
        cp "$out_dir/$name.png" "$docs_dir/$name.png"
    done
    pngtopnm "$out_dir/full-screen.png" | pamscale -width "$docs_width" | pnmtopng \
        >"$docs_dir/full-screen.png" 2>/dev/null
    echo "tour: refreshed the README's pictures in $docs_dir"
fi

echo "tour: the viewer's trace (each \"K\" after a picture's frame is the space bar, no command," \
    "pressed to know the frame was done):"
trace | sed 's/^/    /'
echo "tour: the viewer ended with status 0; pictures in $out_dir/"
