# The front door: `make run` starts the program, `make test` builds and runs every test.
BUILD_DIR := build
SANITIZE_DIR := build-sanitize
TSAN_DIR := build-tsan
FUZZ_DIR := build-fuzz
PACKAGE_DIR := build-package
FUZZ_SECONDS ?= 60
GENERATOR := -G Ninja

.PHONY: all deps deps-test build run demo test test-plain test-sanitize test-tsan fuzz package package-check clean

all: build

# What building, running and packaging need; the test targets add the test tools.
deps:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

# Configured without the tests, which need the test tools; test-plain turns them on.
$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF

$(TSAN_DIR)/build.ninja: | deps-test
	cmake -S . -B $(TSAN_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_TSAN=ON

$(SANITIZE_DIR)/build.ninja: | deps-test
	cmake -S . -B $(SANITIZE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON

# The package's program gets the hardening flags Debian builds its own packages with, and no path of
# the folder it was built in.
$(PACKAGE_DIR)/build.ninja: | deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS) -ffile-prefix-map=$(CURDIR)=." \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(PACKAGE_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF

$(FUZZ_DIR)/build.ninja: | deps-test
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR)

run: build
	@scripts/start-program.sh $(BUILD_DIR)/main/quorvel $(BUILD_DIR)/screenshots/run

demo: build
	@scripts/start-program.sh $(BUILD_DIR)/main/quorvel-demo $(BUILD_DIR)/screenshots/demo 3

# Every test: the plain build's (with the end-to-end runs under Xvfb), then the sanitizer builds'.
test:
	$(MAKE) test-plain
	$(MAKE) test-sanitize
	$(MAKE) test-tsan

test-plain: deps-test $(BUILD_DIR)/build.ninja
	cmake -S . -B $(BUILD_DIR) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

test-sanitize: deps-test $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j2

test-tsan: deps-test $(TSAN_DIR)/build.ninja
	cmake --build $(TSAN_DIR) --target quorvel_core_tests quorvel_platform_tests
	QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1 ctest --test-dir $(TSAN_DIR) --output-on-failure -j2

fuzz: deps-test $(FUZZ_DIR)/build.ninja
	cmake --build $(FUZZ_DIR) --target quorvel_fuzzers
	scripts/run-fuzzers.sh $(FUZZ_SECONDS)

# Every date in the package (file times, rcc's resource times) is the changelog's first entry's, as
# in Debian's own builds: two builds of one commit give the same bytes.
package: deps $(PACKAGE_DIR)/build.ninja
	export SOURCE_DATE_EPOCH=$$(dpkg-parsechangelog -l packaging/changelog -S Timestamp); \
	  cmake --build $(PACKAGE_DIR) --target quorvel quorvel_packaging_files && cd $(PACKAGE_DIR) && cpack

# Runs lintian on the package, installs it on a freshly bootstrapped Debian 12 and Debian 13, starts
# it from its desktop entry, purges it.
package-check: package
	scripts/check-package.sh $(PACKAGE_DIR)/quorvel_*_amd64.deb

# Never through a mount that a Debian root left behind.
clean:
	bash -c 'source scripts/debian_root.sh && remove_folder "$$@"' clean \
	  $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR) $(PACKAGE_DIR) build-roots
