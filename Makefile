# The two commands a newcomer needs: `make run` and `make test`.
JOBS ?= $(shell nproc)
# Many tests wait on processes they start: ctest runs two per core.
TEST_JOBS ?= $(shell echo $$(( $(JOBS) * 2 )))
TEST_DIR  := build/test
OPT_DIR   := build/test-opt
REL_DIR   := build/release
# make fuzz uses the test build when it is clang's (as make test makes it), else one of its own.
FUZZ_DIR  := $(if $(shell grep -s '^CMAKE_CXX_COMPILER:' $(TEST_DIR)/CMakeCache.txt | grep -v clang),build/fuzz,$(TEST_DIR))

# Every test runs headless on Qt's offscreen platform; what the sanitizers report.
TEST_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
  LSAN_OPTIONS=print_suppressions=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# configure_sanitized DIR OPTIONS: a sanitized debug build. clang, so that the
# same build makes the fuzz targets; line tables only, enough for the
# sanitizers' reports. Compiler and flags count only where DIR is new: a build
# folder configured otherwise is kept as it is.
define configure_sanitized
	@if [ -f $(1)/CMakeCache.txt ]; then set --; \
	  else set -- -DCMAKE_CXX_COMPILER=clang++ "-DCMAKE_CXX_FLAGS_DEBUG=-g1 -O1"; fi; \
	  cmake -S . -B $(1) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOWEBOOK_SANITIZE=ON $(2) "$$@" >/dev/null
endef

.PHONY: deps run build test bench clean fuzz

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(REL_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DOWEBOOK_TESTS=OFF >/dev/null
	@cmake --build $(REL_DIR) -j $(JOBS)

run: build
	$(REL_DIR)/owebook $(ARGS)

# One sanitized build makes every test, the fuzz targets and the benchmarks;
# ctest runs the tests, each fuzz target for a few seconds on its seed inputs,
# and an install into a scratch prefix. The store's and registry's tests run
# once more from an optimised build without sanitizers, where freed memory is
# reused at once, as in the program.
test: deps
	$(call configure_sanitized,$(TEST_DIR),-DOWEBOOK_FUZZ=ON -DOWEBOOK_BENCH=ON)
	@cmake --build $(TEST_DIR) -j $(JOBS)
	@cmake -S . -B $(OPT_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DOWEBOOK_TEST_ONLY="test_store;test_registry" >/dev/null
	@cmake --build $(OPT_DIR) -j $(JOBS) --target test_store test_registry
	cd $(OPT_DIR) && $(TEST_ENV) ctest --output-on-failure -j $(TEST_JOBS)
	cd $(TEST_DIR) && $(TEST_ENV) ctest --output-on-failure -j $(TEST_JOBS)

# The benchmarks build beside the program, in its release build.
bench: deps
	@cmake -S . -B $(REL_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DOWEBOOK_TESTS=OFF \
	  -DOWEBOOK_BENCH=ON >/dev/null
	@cmake --build $(REL_DIR) -j $(JOBS)
	@for b in $(REL_DIR)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b" || exit 1; fi; done

clean:
	rm -rf build

# Fuzzes every target in tests/fuzz under the sanitizers, each for FUZZ_SECONDS,
# starting from its seeds in tests/fuzz/corpus: make fuzz FUZZ_SECONDS=600
# New inputs and any crashing input go to <build>/tests/fuzz/<target>.run/.
FUZZ_SECONDS ?= 120
fuzz: deps
	$(call configure_sanitized,$(FUZZ_DIR),-DOWEBOOK_FUZZ=ON)
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	@for src in tests/fuzz/fuzz_*.cpp; do \
	  t=$$(basename "$$src" .cpp); echo "== $$t for $(FUZZ_SECONDS) s"; \
	  tests/fuzz/run-fuzz.sh $(FUZZ_DIR)/tests/fuzz/$$t $(FUZZ_SECONDS) tests/fuzz/corpus/$$t \
	    $(FUZZ_DIR)/tests/fuzz/$$t.run || exit 1; done
