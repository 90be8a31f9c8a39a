#!/usr/bin/env bash
# Run a command on a private virtual X server that this script starts and
# stops itself. Usage: tools/with-xvfb.sh COMMAND [ARG...]
# The server picks a free display number; DISPLAY is set for the command.
# Set VARNELLE_SCREEN to change the screen size (default 1280x1024x24).
set -u

screen=${VARNELLE_SCREEN:-1280x1024x24}
fifo_dir=$(mktemp -d)
trap 'rm -rf "$fifo_dir"' EXIT
mkfifo "$fifo_dir/display"

# -displayfd writes the chosen display number once the server accepts clients.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset \
    3>"$fifo_dir/display" >"$fifo_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$fifo_dir"' EXIT

display_number=""
if ! read -r -t 30 display_number <"$fifo_dir/display" || [ -z "$display_number" ]; then
    echo "with-xvfb: the virtual X server did not start:" >&2
    cat "$fifo_dir/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$display_number"
"$@"
