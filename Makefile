# Thin wrapper around CMake presets. `make demo` and `make test` are the whole quick start.
SHELL := /bin/bash
.DEFAULT_GOAL := test

PACKAGES := cmake g++ make pkgconf libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev \
            nlohmann-json3-dev libutf8proc-dev gettext libgettextpo-dev groff-base \
            python3-jsonschema neovim libmimalloc-dev
FUZZ_PACKAGES := clang libclang-rt-dev

.PHONY: deps demo test build asan tsan bench fuzz install clean

# Installs what the build needs when run as root on a Debian machine; otherwise names it.
deps:
	@missing=""; \
	for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ] && command -v apt-get >/dev/null; then \
	    echo "installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing >/dev/null || exit 1; \
	  else \
	    echo "missing packages:$$missing -- install them with: sudo apt-get install$$missing"; exit 1; \
	  fi; \
	fi

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

test: build
	ctest --preset default

# The demo's mistakes are part of the show: uparse exits 1 after reporting them. Only a usage
# error (2) or a crash fails the target.
demo: deps
	cmake --preset default >/dev/null
	cmake --build --preset default --target uparse
	@./build/default/tools/uparse/uparse examples/demo.syntax; status=$$?; \
	if [ $$status -gt 1 ]; then echo "uparse failed with status $$status" >&2; exit 1; fi

asan: deps
	cmake --preset asan >/dev/null
	cmake --build --preset asan
	ctest --preset asan

# ThreadSanitizer over the threading tests and the reference host's tests.
tsan: deps
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan
	ctest --preset tsan

bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench
	@if [ -x build/bench/bench/run-benchmarks ]; then build/bench/bench/run-benchmarks; else echo "no benchmarks built"; fi

# libFuzzer targets (clang, sanitizers); each runs FUZZ_SECONDS (default 60) seconds.
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	FUZZ_SECONDS=$${FUZZ_SECONDS:-60} fuzz/run-fuzzers build/fuzz

install: build
	cmake --install build/default --prefix $${PREFIX:-/usr/local}

clean:
	rm -rf build
