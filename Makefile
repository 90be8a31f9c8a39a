# Varnelle: the two commands of the quick start.
#   make run    install what is missing, build, and open the viewer (with
#               no display, run the headless tour instead)
#   make test   install what is missing, build, and run the suite on a
#               private virtual X server, then again against a build with
#               AddressSanitizer and UndefinedBehaviorSanitizer
#   make viewer, make tools, make build  the viewer alone (it needs only
#               OpenGL, GLU and GLUT); with its driver, tour and documentation
#               program; with those and its tests. Each installs what its
#               build needs first.
#   make reliability  the abuse tests against the normal and the sanitized
#               build, writing their figures to docs/reliability.md
#   make tour   the headless tour, whatever the display, refreshing the
#               documentation's pictures in docs/
#   make stations  the camera stations explained, checked against the
#               camera formulas and pictured from outside, with the
#               exercises: docs/cameras.md, stations.md, exercises.md and
#               their pictures; and the README's animation, docs/tour.png
#   make package  the Debian package, build/varnelle_<version>_<arch>.deb
#   make test-package  the package checked with lintian, installed with apt
#               into a fresh Debian 12 root (made once with debootstrap and
#               kept in build-package-root/) and run there on a private
#               virtual X server, its manual page read with man
#   make bench  the responsiveness benchmark, built apart in build-bench/
#               (release mode) and run on a private virtual X server;
#               rewrites docs/performance.md
#   make windows  the Windows console viewer, build-windows/varnelle.exe,
#               cross-built with mingw-w64 against a static freeglut built
#               from Debian's source package (once, cached in build-windows/)
#   make package-windows  build-windows/varnelle-windows-x86_64.zip
#   make test-windows  checks of the Windows viewer, and the end-to-end and
#               abuse tests run against it under Wine
#   make web    the viewer as a web page, built with emscripten into build-web/,
#               with its camera seen from outside, its calls and its matrices
#   make serve-web  serve build-web/ on 127.0.0.1 and print the address;
#               make serve-web HOST=0.0.0.0 serves a lecture room's network
#   make package-web  build-web/varnelle-web.zip, every file the page needs
#   make test-web   the page in headless Chromium, against the desktop's
#               pictures and the documentation program's
#   make bench-web  the same, then rewrite docs/web.md with the page's figures
# Each build is a CMake preset (CMakePresets.json), so that an IDE gets the
# same builds; these are their folders. The viewer, its tools and its tests
# share build/: the presets viewer, tools and default add to one another.
BUILD_DIR := build
SANITIZE_BUILD_DIR := build-sanitize
WINDOWS_BUILD_DIR := build-windows
WEB_BUILD_DIR := build-web
BENCH_BUILD_DIR := build-bench
PACKAGE_ROOT_DIR := build-package-root
DEPS := tools/install-deps.sh

# Where make serve-web listens: this machine only, unless asked (HOST=0.0.0.0
# for a lecture room's network), on this port.
HOST := 127.0.0.1
PORT := 8000

# make run on a desktop needs only what builds the viewer; with no display
# it runs the headless tour, which needs a private X server too.
ifdef DISPLAY
RUN_TARGET := viewer
else
RUN_TARGET := tools
endif

.PHONY: all viewer tools build sanitize-build run test reliability tour stations bench clean \
	windows package-windows test-windows package test-package \
	web serve-web package-web test-web bench-web

all: build

# The viewer alone: OpenGL, GLU and GLUT are all it needs.
viewer:
	@$(DEPS) build
	cmake --preset viewer
	cmake --build --preset viewer

# The viewer with the driver, the tour, varnelle-xserver and the
# documentation program.
tools:
	@$(DEPS) build tour
	cmake --preset tools
	cmake --build --preset tools

# The viewer, its tools and its tests.
build:
	@$(DEPS) build tour test
	cmake --preset default
	cmake --build --preset default

run: $(RUN_TARGET)
	@tools/run.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour

tour: tools
	@$(BUILD_DIR)/varnelle-tour $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour docs

# The viewer and its tests with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-build:
	@$(DEPS) build tour test
	cmake --preset sanitize
	cmake --build --preset sanitize

test: build sanitize-build
	$(BUILD_DIR)/varnelle-xserver ctest --preset default
	tools/sanitized-test.sh $(SANITIZE_BUILD_DIR)

reliability: build sanitize-build
	$(BUILD_DIR)/varnelle-xserver tools/reliability.sh $(BUILD_DIR) $(SANITIZE_BUILD_DIR)

stations: tools
	@$(DEPS) docs
	observer/stations.sh $(BUILD_DIR) docs

package: viewer
	@$(DEPS) package
	cmake --build --preset viewer --target package

test-package: build package
	platform/debian/test-package.sh $(BUILD_DIR)/$$(cat $(BUILD_DIR)/package-file-name) \
	    $(BUILD_DIR)/tests/varnelle_e2e_tests $(PACKAGE_ROOT_DIR)

bench:
	@$(DEPS) build tour bench
	@bench/bench.sh $(BENCH_BUILD_DIR)

windows:
	@$(DEPS) windows
	@platform/windows/build-freeglut.sh $(WINDOWS_BUILD_DIR)
	cmake --preset windows
	cmake --build --preset windows

package-windows: windows
	platform/windows/package.sh $(WINDOWS_BUILD_DIR)

test-windows: build windows
	platform/windows/test.sh $(WINDOWS_BUILD_DIR) $(BUILD_DIR)

web:
	@$(DEPS) web
	cmake --preset web
	cmake --build --preset web

serve-web: web
	node platform/web/serve.js $(WEB_BUILD_DIR) $(PORT) $(HOST)

package-web: web
	platform/web/package.sh $(WEB_BUILD_DIR)

# The browser page; the test compares it with the desktop tour's pictures
# and its outside view with the documentation program's, and serves the
# archive's files on their own.
test-web: package-web tools
	platform/web/test.sh $(BUILD_DIR) $(WEB_BUILD_DIR)

bench-web: package-web tools
	platform/web/test.sh $(BUILD_DIR) $(WEB_BUILD_DIR) docs

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR) $(WINDOWS_BUILD_DIR) $(WEB_BUILD_DIR) \
	    $(BENCH_BUILD_DIR) $(PACKAGE_ROOT_DIR)
