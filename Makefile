# The two entry points of the README: `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
# Seconds each fuzz target runs after replaying its corpus: in `make test`, and in `make fuzz`.
FUZZ_SECONDS      ?= 20
FUZZ_LONG_SECONDS ?= 600
FUZZ_TARGETS      ?=

.PHONY: all bootstrap build demo demo-live test test-asan test-jvm-asan fuzz-build test-fuzz fuzz clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	scripts/demo $(BUILD)

demo-live: build
	scripts/demo $(BUILD) --live

test: build test-asan test-jvm-asan test-fuzz
	cd $(BUILD) && ctest --output-on-failure -j 1

# The GoogleTest suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_SANITIZE=ON -DHOSTPROBE_JAVA=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L cpp

# The JUnit suite once more, inside a JVM, against the natives built with the sanitizers.
test-jvm-asan: test-asan
	HOSTPROBE_SANITIZED_JVM=1 scripts/run-java-tests $(ASAN_BUILD)

# The fuzz targets, built with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
fuzz-build: bootstrap
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
	      -DCMAKE_CXX_COMPILER=clang++ -DHOSTPROBE_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

# Every fuzz target replays its corpus, then fuzzes briefly.
test-fuzz: fuzz-build
	scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Longer fuzzing, at low priority: `make fuzz FUZZ_LONG_SECONDS=3600 FUZZ_TARGETS=fuzz_sim_host`.
fuzz: fuzz-build
	nice -n 19 scripts/run-fuzzers $(FUZZ_BUILD) $(FUZZ_LONG_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
