# Varnelle: the two commands of the quick start.
#   make run    install what is missing, build, and open the viewer (with
#               no display, run the headless tour instead)
#   make test   install what is missing, build, and run the suite on a
#               private virtual X server, then again against a build with
#               AddressSanitizer and UndefinedBehaviorSanitizer
#   make reliability  the abuse tests against the normal and the sanitized
#               build, writing their figures to docs/reliability.md
#   make tour   the headless tour, whatever the display, refreshing the
#               README's pictures in docs/
#   make bench  the responsiveness benchmark, built apart in build-bench/
#               (release mode) and run on a private virtual X server;
#               rewrites docs/performance.md
#   make web    the viewer as a web page, built with emscripten into build-web/
#   make serve-web  serve build-web/ on 127.0.0.1 and print the address
#   make test-web   the page in headless Chromium, against the desktop's pictures
#   make bench-web  the same, then rewrite docs/web.md with the page's figures
# Each build is a CMake preset (CMakePresets.json), so that an IDE gets the
# same builds; these are their folders.
BUILD_DIR := build
SANITIZE_BUILD_DIR := build-sanitize
WEB_BUILD_DIR := build-web

.PHONY: all deps build sanitize-build run test reliability tour bench web serve-web test-web bench-web clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	@tools/run.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour

tour: build
	@tools/tour.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour docs

# The viewer and its tests with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-build: deps
	cmake --preset sanitize
	cmake --build --preset sanitize

test: build sanitize-build
	tools/with-xvfb.sh ctest --preset default
	tools/sanitized-test.sh $(SANITIZE_BUILD_DIR)

reliability: build sanitize-build
	tools/with-xvfb.sh tools/reliability.sh $(BUILD_DIR) $(SANITIZE_BUILD_DIR)

bench: deps
	@tools/bench.sh

# The browser page; the test compares it with the desktop build's pictures.
web: deps
	cmake --preset web
	cmake --build --preset web

serve-web: web
	node tools/serve-web.js $(WEB_BUILD_DIR)

test-web: web build
	tools/test-web.sh

bench-web: web build
	tools/test-web.sh docs

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR) $(WEB_BUILD_DIR)
