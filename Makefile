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
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
SANITIZE_BUILD_DIR ?= $(BUILD_DIR)-sanitize

.PHONY: all deps build sanitize-build run test reliability tour bench clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR) -j 2

run: build
	@tools/run.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour

tour: build
	@tools/tour.sh $(BUILD_DIR)/varnelle $(BUILD_DIR)/tour docs

# The viewer and its tests with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-build: deps
	cmake -S . -B $(SANITIZE_BUILD_DIR) -DCMAKE_BUILD_TYPE=Debug -DVARNELLE_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD_DIR) -j 2

test: build sanitize-build
	tools/with-xvfb.sh ctest --test-dir $(BUILD_DIR) --output-on-failure
	tools/sanitized-test.sh $(SANITIZE_BUILD_DIR)

reliability: build sanitize-build
	tools/with-xvfb.sh tools/reliability.sh $(BUILD_DIR) $(SANITIZE_BUILD_DIR)

bench: deps
	@tools/bench.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_BUILD_DIR)
