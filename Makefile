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
#   make package  the Debian package, build/varnelle_<version>_<arch>.deb
#   make test-package  the package checked with lintian, installed with apt
#               into a fresh Debian 12 root (made once with debootstrap and
#               kept in build-package-root/) and run there on a private
#               virtual X server, its manual page read with man
#   make bench  the responsiveness benchmark, built apart in build-bench/
#               (release mode) and run on a private virtual X server;
#               rewrites docs/performance.md
# Each build is a CMake preset (CMakePresets.json), so that an IDE gets the
# same builds; these are their folders.
BUILD_DIR := build
SANITIZE_BUILD_DIR := build-sanitize

.PHONY: all deps build sanitize-build run test reliability tour bench package test-package clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	@tools/run.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour

tour: build
	@$(BUILD_DIR)/varnelle-tour $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour docs

# The viewer and its tests with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-build: deps
	cmake --preset sanitize
	cmake --build --preset sanitize

test: build sanitize-build
	$(BUILD_DIR)/varnelle-xserver ctest --preset default
	tools/sanitized-test.sh $(SANITIZE_BUILD_DIR)

reliability: build sanitize-build
	$(BUILD_DIR)/varnelle-xserver tools/reliability.sh $(BUILD_DIR) $(SANITIZE_BUILD_DIR)

package: build
	cmake --build --preset default --target package

test-package: package
	tools/test-package.sh $(BUILD_DIR)/$$(cat $(BUILD_DIR)/package-file-name) \
	    $(BUILD_DIR)/tests/varnelle_package_check

bench: deps
	@tools/bench.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR)
