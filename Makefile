# The two commands a newcomer needs: `make run` and `make test`.
JOBS ?= $(shell nproc)
TEST_DIR := build/test
REL_DIR  := build/release
BENCH_DIR := build/bench

.PHONY: deps run build test bench clean fuzz

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(REL_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DOWEBOOK_TESTS=OFF >/dev/null
	@cmake --build $(REL_DIR) -j $(JOBS)

run: build
	$(REL_DIR)/owebook $(ARGS)

# Sanitized debug build; every test runs headless on Qt's offscreen platform.
test: deps
	@cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DOWEBOOK_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" >/dev/null
	@cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
	  LSAN_OPTIONS=print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DOWEBOOK_TESTS=OFF \
	  -DOWEBOOK_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b" || exit 1; fi; done

clean:
	rm -rf build

# Fuzzes the comma-separated reader under the sanitizers: make fuzz FUZZ_SECONDS=300
FUZZ_SECONDS ?= 120
fuzz: deps
	@mkdir -p build/fuzz/corpus
	clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
	  -I. tests/fuzz/fuzz_csv_reader.cpp owebook/data/CsvReader.cpp platform/core/CString.cpp \
	  -o build/fuzz/fuzz_csv_reader
	build/fuzz/fuzz_csv_reader -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -artifact_prefix=build/fuzz/ build/fuzz/corpus
