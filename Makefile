# Varnelle. The two commands of the quick start are make run and make test;
# make help lists every target. Each target below carries one line that
# make help prints:
#   ## TIME | NETWORK | REWRITES | WHAT
# TIME is about how long it takes on 2 cores once its packages are in and
# what it builds on is built. NETWORK is what it may fetch: "apt" the
# Debian packages still missing (every target's install step), "npm" the
# browser test's packages (first run), "Debian root" a minimal Debian 12 made
# with debootstrap (first run), "Debian src" freeglut's source package (first
# run). REWRITES: the tracked files it writes ("-": none).
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

.PHONY: help all viewer tools build sanitize-build run test reliability tour stations handout bench clean \
	windows package-windows test-windows package test-package \
	web serve-web package-web test-web bench-web test-fresh-root

## 3 min | apt | - | the same as make build
all: build

## 1 s | - | - | this table
help:
	@tools/make-help.sh Makefile

## 20 s | apt | - | the viewer alone, build/varnelle (needs only OpenGL, GLU and GLUT)
viewer:
	@$(DEPS) build
	cmake --preset viewer
	cmake --build --preset viewer

## 1 min | apt | - | the viewer, its driver, tour, varnelle-xserver and documentation program
tools:
	@$(DEPS) build tour
	cmake --preset tools
	cmake --build --preset tools

## 3 min | apt | - | the viewer, its tools and its tests, in build/
build:
	@$(DEPS) build tour test
	cmake --preset default
	cmake --build --preset default

## 1 min | apt | - | build and open the viewer; with no display, the headless tour (build/tour/)
run: $(RUN_TARGET)
	@tools/run.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour

## 1 min | apt | docs/*.png (the views) | the headless tour, refreshing the documentation's pictures of the views
tour: tools
	@$(BUILD_DIR)/varnelle-tour $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour docs

## 3 min | apt | - | the viewer and its tests under ASan and UBSan, in build-sanitize/
sanitize-build:
	@$(DEPS) build tour test
	cmake --preset sanitize
	cmake --build --preset sanitize

## 10 min | apt | - | build, then the whole suite on a private X server, then again sanitized
test: build sanitize-build
	$(BUILD_DIR)/varnelle-xserver ctest --preset default
	tools/sanitized-test.sh $(SANITIZE_BUILD_DIR)

## 10 min | apt | docs/reliability.md | the abuse tests on both builds, with their figures
reliability: build sanitize-build
	$(BUILD_DIR)/varnelle-xserver tools/reliability.sh $(BUILD_DIR) $(SANITIZE_BUILD_DIR)

## 1 min | apt | docs/ pages, pictures | the learner's pages (cameras, stations, exercises), in English and French (docs/fr/), their pictures, tour.png
stations: tools
	@$(DEPS) docs
	lessons/stations.sh $(BUILD_DIR) docs

## 1 min | apt | docs/handout.html | the exercises to print: questions with room to answer, then the answers (A4), in English and French
handout: tools
	@$(DEPS) docs
	lessons/stations.sh $(BUILD_DIR) docs handout

## 30 s | apt | - | the Debian package, build/varnelle_<version>_<arch>.deb
package: viewer
	@$(DEPS) package
	cmake --build --preset viewer --target package

## 3 min | apt, Debian root | - | the package: lintian, then installed and run in a fresh Debian 12 root
test-package: build package
	platform/debian/test-package.sh $(BUILD_DIR)/$$(cat $(BUILD_DIR)/package-file-name) \
	    $(BUILD_DIR)/tests/varnelle_e2e_tests $(PACKAGE_ROOT_DIR)

## 5 min | apt | docs/performance.md | the responsiveness benchmark, in build-bench/
bench:
	@$(DEPS) build tour bench
	@bench/bench.sh $(BENCH_BUILD_DIR)

## 1 min | apt, Debian src | - | the Windows console viewer, build-windows/varnelle.exe
windows:
	@$(DEPS) build windows
	@platform/windows/build-freeglut.sh $(WINDOWS_BUILD_DIR)
	cmake --preset windows
	cmake --build --preset windows

## 1 min | apt, Debian src | - | build-windows/varnelle-windows-x86_64.zip
package-windows: windows
	platform/windows/package.sh $(WINDOWS_BUILD_DIR)

## 2 min | apt, Debian src | - | the Windows viewer's checks and the end-to-end tests, under Wine
test-windows: build windows
	platform/windows/test.sh $(WINDOWS_BUILD_DIR) $(BUILD_DIR)

## 1 min | apt | - | the viewer as a web page, with its panels, in build-web/
web:
	@$(DEPS) build web
	cmake --preset web
	cmake --build --preset web

## Ctrl-C | apt | - | serve build-web/ on 127.0.0.1:8000 (HOST=0.0.0.0: a lecture room)
serve-web: web
	node platform/web/serve.js $(WEB_BUILD_DIR) $(PORT) $(HOST)

## 1 min | apt | - | build-web/varnelle-web.zip, every file the page needs
package-web: web
	platform/web/package.sh $(WEB_BUILD_DIR)

# The test also compares the outside view with the documentation program's
# pictures, and serves the archive's files on their own.
## 6 min | apt, npm | - | the page in headless Chromium and in Firefox, against the desktop's pictures
test-web: package-web tools
	platform/web/test.sh $(BUILD_DIR) $(WEB_BUILD_DIR)

## 15 min | apt, npm | docs/web*.md, docs/web-*.png | the browser test, then the page timed (two back ends, Lighthouse) and pictured
bench-web: package-web tools
	platform/web/test.sh $(BUILD_DIR) $(WEB_BUILD_DIR) docs

# What make test-fresh-root runs in a fresh Debian 12 root.
TARGETS := test-web

## 15 min | apt, npm, Debian root | - | make $(TARGETS) in a fresh Debian 12 root, as a contributor's first day runs it
test-fresh-root: test-package
	platform/debian/test-fresh-root.sh $(PACKAGE_ROOT_DIR) $(TARGETS)

## 5 s | - | - | remove every build folder (build-package-root/ too)
clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR) $(WINDOWS_BUILD_DIR) $(WEB_BUILD_DIR) \
	    $(BENCH_BUILD_DIR) $(PACKAGE_ROOT_DIR)
