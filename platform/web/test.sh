#!/usr/bin/env bash
# The browser test: the page's server tried on its own (test/check-server.js),
# the desktop viewer's pictures of every view (the tour, on a private Xvfb),
# then the page in WEB_BUILD_DIR in headless Chromium,
# compared with them, and its outside view with the documentation program's
# pictures (test/run.js beside this script); then the viewer's checks and
# the panels' in brief in Firefox, in a window on a private Xvfb
# (varnelle-xserver), where its WebGL has a renderer. Installs the test
# driver's npm packages from the lock file first; no browser is downloaded
# (Debian's chromium and firefox-esr are used, found on PATH).
# Usage: platform/web/test.sh BUILD_DIR WEB_BUILD_DIR [DOCS_DIR]
#   BUILD_DIR holds the desktop viewer, its tour and the documentation
#   program (make tools), WEB_BUILD_DIR the page and its archive (make
#   package-web); with DOCS_DIR, also time the pages and write their figures
#   and a picture of the page there (docs/web.md, from web.md.in).
set -eu
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: platform/web/test.sh BUILD_DIR WEB_BUILD_DIR [DOCS_DIR]" >&2
    exit 2
fi
build_dir=$(realpath "$1")
web_dir=$(realpath "$2")
docs_dir=${3:+$(realpath "$3")}
driver_dir=$(cd "$(dirname "$0")/test" && pwd)

if ! command -v npm >/dev/null; then
    echo "test-web: npm (Node.js's package manager) is needed to install the test driver" >&2
    exit 1
fi
if [ ! -d "$driver_dir/node_modules/puppeteer-core" ] ||
    [ "$driver_dir/package-lock.json" -nt "$driver_dir/node_modules/.package-lock.json" ]; then
    (cd "$driver_dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund)
fi

node "$driver_dir/check-server.js"

desktop_pictures="$web_dir/desktop-pictures"
"$build_dir/varnelle-tour" "$build_dir/varnelle" "$desktop_pictures" >/dev/null
# Both browsers run, whichever fails.
status=0
node "$driver_dir/run.js" "$web_dir" "$build_dir" "$desktop_pictures" "$web_dir/test" ${docs_dir:+"$docs_dir"} ||
    status=1
"$build_dir/varnelle-xserver" node "$driver_dir/run.js" --browser firefox \
    "$web_dir" "$build_dir" "$desktop_pictures" "$web_dir/test-firefox" || status=1
exit $status
