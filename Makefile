# Two commands do everything on a fresh Debian 12 machine:
#   make run    install what is missing, build, start the program
#   make test   install what is missing, build, run every test

BUILD     ?= build
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
PACKAGES  := cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev \
             nlohmann-json3-dev qt6-base-dev qt6-translations-l10n ghostscript poppler-utils cups-client \
             xvfb xauth fonts-dejavu-core desktop-file-utils shared-mime-info appstream qt6-charts-dev libqt6opengl6-dev
# Building the Debian package (make package) needs these as well.
PKG_PACKAGES := dpkg-dev file
SUDO      := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

# Sanitizer build (make test-sanitize) and fuzzing (make fuzz FUZZ_SECONDS=60).
ASAN_BUILD    ?= build-asan
FUZZ_BUILD    ?= build-fuzz
FUZZ_SECONDS  ?= 60
FUZZ_FLAGS    ?=
FUZZ_SANITIZE ?= ON
FUZZ_TARGETS  := tor_reader prefill_reader export calculator touchstone
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

# The Debian package is built apart, for /usr, without tests and benchmarks.
PKG_BUILD     ?= build-package

.PHONY: all deps fuzz-deps configure build run test test-sanitize fuzz package clean

all: build

# Installs those of the given Debian packages that are missing, and nothing else.
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

configure: deps
	@if [ ! -f $(BUILD)/CMakeCache.txt ]; then cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo; fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/bin/kernwijs

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The core, the command-line tool and their tests under AddressSanitizer and
# UndefinedBehaviorSanitizer; any finding fails the test that made it.
test-sanitize: deps
	@if [ ! -f $(ASAN_BUILD)/CMakeCache.txt ]; then \
	  cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKERNWIJS_GUI=OFF -DKERNWIJS_BENCH=OFF \
	        -DKERNWIJS_SANITIZE=ON; \
	fi
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS, one after the other, starting from its committed seeds;
# new inputs gather in $(FUZZ_BUILD)/corpus, a finding is saved in $(FUZZ_BUILD)/findings and
# fails the run. FUZZ_FLAGS go to every target (for instance -fork=2 or -max_len=512).
# FUZZ_SANITIZE=OFF leaves out AddressSanitizer and UndefinedBehaviorSanitizer for about
# three times as many executions a second.
fuzz: fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	      -DKERNWIJS_GUI=OFF -DKERNWIJS_BENCH=OFF -DKERNWIJS_TESTS=OFF -DKERNWIJS_FUZZ=ON \
	      -DKERNWIJS_FUZZ_SANITIZE=$(FUZZ_SANITIZE)
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	@mkdir -p $(FUZZ_BUILD)/findings
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  ./$(FUZZ_BUILD)/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $(FUZZ_FLAGS) \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- \
	    $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# kernwijs_<version>_<arch>.deb in $(PKG_BUILD); install it with
#   sudo apt install ./$(PKG_BUILD)/kernwijs_*.deb
package: deps
	$(call install_missing,$(PKG_PACKAGES))
	cmake -S . -B $(PKG_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	      -DKERNWIJS_TESTS=OFF -DKERNWIJS_BENCH=OFF
	cmake --build $(PKG_BUILD) -j $(JOBS)
	cd $(PKG_BUILD) && cpack -G DEB
	@ls $(PKG_BUILD)/kernwijs_*.deb

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(PKG_BUILD)
