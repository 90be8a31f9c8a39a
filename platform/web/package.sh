#!/usr/bin/env bash
# Pack every file the web page needs (page-files.txt, which the build
# writes) into WEB_BUILD_DIR/varnelle-web.zip, for any static web server:
# unpacked into one folder, the page works as served from build-web/.
# Usage: platform/web/package.sh WEB_BUILD_DIR
set -eu
if [ $# -ne 1 ]; then
    echo "usage: platform/web/package.sh WEB_BUILD_DIR" >&2
    exit 2
fi
build_dir=$1
archive=varnelle-web.zip
list="$build_dir/page-files.txt"
if [ ! -f "$list" ]; then
    echo "package-web: no $list; build the page first (make web)." >&2
    exit 1
fi
rm -f "$build_dir/$archive"
(cd "$build_dir" && zip -q -X "$archive" $(cat page-files.txt))
echo "package-web: $build_dir/$archive"
