# Front door of the build: every target installs what it lacks first.
JOBS     ?= $(shell nproc)
BUILD    ?= build
DIST     ?= dist
CMAKE    ?= cmake
CFG      ?= Release

.PHONY: all deps native x86 x64 dist package repro test test-native test-wine demo bench sanitize fuzz clean

all: dist

deps:
	@./tools/deps.sh

native: deps
	$(CMAKE) -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=$(CFG) >/dev/null
	$(CMAKE) --build $(BUILD)/native -j$(JOBS) $(if $(NATIVE_TARGETS),--target $(NATIVE_TARGETS))

x86: deps
	$(CMAKE) -S . -B $(BUILD)/x86 -DCMAKE_BUILD_TYPE=$(CFG) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/toolchain-i686.cmake \
	  -DKVEX_DIST_DIR=$(CURDIR)/$(DIST)/x86 >/dev/null
	$(CMAKE) --build $(BUILD)/x86 -j$(JOBS) $(if $(CROSS_TARGETS),--target $(CROSS_TARGETS))

x64: deps
	$(CMAKE) -S . -B $(BUILD)/x64 -DCMAKE_BUILD_TYPE=$(CFG) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/toolchain-x86_64.cmake \
	  -DKVEX_DIST_DIR=$(CURDIR)/$(DIST)/x64 >/dev/null
	$(CMAKE) --build $(BUILD)/x64 -j$(JOBS) $(if $(CROSS_TARGETS),--target $(CROSS_TARGETS))

dist: native x86 x64

# dist/kvexfilt-<version>.msi (x64, both DLLs), -x86.msi, -user.msi, .zip,
# -symbols.zip and SHA256SUMS; signed with SIGN_CERT=... SIGN_KEY=...
# (or SIGN_PKCS12=... and SIGN_PASSWORD in the environment).
package: dist
	./tools/package.sh $(BUILD)/native $(BUILD)/x86 $(DIST)

# Two clean builds of the commit checked out, in two folders one after the
# other, must give the same bytes in every release file.
repro: deps
	./tools/repro.sh $(BUILD)/repro $(JOBS)

test: dist test-native test-wine

test-native:
	ctest --test-dir $(BUILD)/native --output-on-failure -j$(JOBS)

# Both DLLs, each under the Wine loader of its bitness; WINE_ARCHS=x86 narrows.
# Where the kernel runs no 32-bit programs, x86 is checked statically only.
WINE_ARCHS ?= x86 x64
test-wine:
	./tools/check-pe.sh $(DIST)/x86 i386
	./tools/check-pe.sh $(DIST)/x64 x86-64
	./tools/wine-test.sh $(BUILD) $(DIST) $(WINE_ARCHS)
	./tools/package-test.sh $(BUILD)/native $(BUILD)/x86 $(BUILD)/x64 $(DIST) $(BUILD)/package-test
	./tools/release-test.sh $(BUILD)/native $(BUILD)/x86 $(BUILD)/x64 $(DIST) $(BUILD)/release-test
	@./tools/arch-status.sh

demo: dist
	./tools/demo.sh $(DIST)/x64

# The native benchmarks, then open-to-idle of the Filter Maker under 64-bit
# Wine, then the size of each shipped (stripped) DLL.
BENCH_RUNS ?= 15
bench: deps
	$(CMAKE) -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DKVEX_BENCH=ON >/dev/null
	$(CMAKE) --build $(BUILD)/bench -j$(JOBS) --target kvex_bench
	$(BUILD)/bench/bench/kvex_bench
	$(CMAKE) -S . -B $(BUILD)/x64 -DCMAKE_BUILD_TYPE=$(CFG) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/tools/toolchain-x86_64.cmake \
	  -DKVEX_DIST_DIR=$(CURDIR)/$(DIST)/x64 >/dev/null
	$(CMAKE) --build $(BUILD)/x64 -j$(JOBS) --target kvexfilt kvex_open_bench
	./tools/wine-bench.sh $(DIST)/x64 $(BUILD)/x64/bench/wine/kvex_open_bench.exe $(BENCH_RUNS)
	@$(MAKE) --no-print-directory x86 CROSS_TARGETS=kvexfilt >/dev/null
	@for arch in x64 x86; do \
	  echo "size: $$arch kvexfilt.dll $$(stat -c %s $(DIST)/$$arch/kvexfilt.dll) bytes stripped," \
	    "symbols $$(stat -c %s $(DIST)/$$arch/kvexfilt.dll.debug) bytes"; \
	done

# The native suites under AddressSanitizer and UBSan, then a plain debug
# build of them under valgrind (errors and leaks only; any one fails).
sanitize: deps
	$(CMAKE) -S . -B $(BUILD)/sanitize -DCMAKE_BUILD_TYPE=Debug -DKVEX_SANITIZE=ON -DKVEX_BENCH=OFF >/dev/null
	$(CMAKE) --build $(BUILD)/sanitize -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(BUILD)/sanitize --output-on-failure -j$(JOBS)
	$(CMAKE) -S . -B $(BUILD)/valgrind -DCMAKE_BUILD_TYPE=Debug -DKVEX_BENCH=OFF >/dev/null
	$(CMAKE) --build $(BUILD)/valgrind -j$(JOBS) --target kvex_unit_tests
	valgrind --quiet --leak-check=full --show-leak-kinds=definite,indirect,possible \
	  --errors-for-leak-kinds=definite,indirect,possible --error-exitcode=1 \
	  $(BUILD)/valgrind/tests/unit/kvex_unit_tests --gtest_brief=1

FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ $(CMAKE) -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKVEX_FUZZ=ON -DKVEX_BENCH=OFF >/dev/null
	$(CMAKE) --build $(BUILD)/fuzz -j$(JOBS)
	./tools/run-fuzz.sh $(BUILD)/fuzz/tests/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(DIST)
