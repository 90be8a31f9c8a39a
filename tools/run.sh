#!/usr/bin/env bash
# Open the viewer on the user's display; with no display, run the headless
# tour instead (varnelle-tour, built beside the viewer), which leaves
# pictures of every view in TOUR_DIR.
# Usage: tools/run.sh PATH/TO/varnelle [TOUR_DIR]
set -eu
viewer=$1
tour_dir=${2:-$(dirname "$viewer")/tour}
if [ -z "${DISPLAY:-}" ]; then
    echo "run: no display (DISPLAY is not set); running the headless tour instead." >&2
    exec "$(dirname "$viewer")/varnelle-tour" "$viewer" "$tour_dir"
fi
exec "$viewer"
