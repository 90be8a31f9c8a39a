#!/usr/bin/env bash
# Open the viewer on the user's display. Usage: tools/run.sh PATH/TO/varnelle
set -u
viewer=$1
if [ -z "${DISPLAY:-}" ]; then
    echo "run: no display (DISPLAY is not set); start the viewer from a graphical session." >&2
    exit 1
fi
exec "$viewer"
