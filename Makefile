# The entry points of the README: `make demo`, `make check` (the inner loop) and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
BE_BUILD   ?= build-s390x
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
# Seconds each fuzz target runs after replaying its corpus: in `make test`, and in `make fuzz`.
FUZZ_SECONDS      ?= 20
FUZZ_LONG_SECONDS ?= 600
FUZZ_TARGETS      ?=

.PHONY: all bootstrap configure build demo-build demo demo-live check test test-asan test-tsan test-jvm-asan test-solaris-headers \
        test-bigendian fuzz-build test-fuzz fuzz clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Everything, the test programs included.
build: configure
	cmake --build $(BUILD) -j $(JOBS) --target all test-programs

# What the demo runs: the libraries, the jars and the simulated vendor library (CMake's default
# target, also what an install takes its files from).
demo-build: configure
	cmake --build $(BUILD) -j $(JOBS)

# `make demo HOST=FILE` shows another description (a captured host, for example).
HOST ?=
demo: demo-build
	scripts/demo $(BUILD) $(if $(HOST),--host $(HOST))

demo-live: demo-build
	scripts/demo $(BUILD) --live

# The inner loop: the build, the GoogleTest suites and the JUnit suite under -Xcheck:jni; no
# sanitizers, no cross build, no fuzzing, no soak.
check: build
	cd $(BUILD) && ctest --output-on-failure -j 1 -R '^(cpp_.*|java_junit)$$'

test: build test-asan test-tsan test-jvm-asan test-solaris-headers test-bigendian test-fuzz
	cd $(BUILD) && ctest --output-on-failure -j 1

# The GoogleTest suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target all test-programs
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L cpp

# The GoogleTest suites again, built with ThreadSanitizer; any report fails the suite.
test-tsan: bootstrap
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_TSAN=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target all test-programs
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j $(JOBS) -L cpp

# The JUnit suite once more, inside a JVM, against the natives built with the sanitizers.
test-jvm-asan: test-asan
	HOSTPROBE_SANITIZED_JVM=1 scripts/run-java-tests $(ASAN_BUILD)

# Every source a Solaris build compiles, checked with clang for 64-bit SPARC Solaris against the
# stand-in Solaris headers of tests/solaris (syntax and layout assertions only), in two runs
# covering both forms of the platform's large-file names, vminfo_t and gethostname.
test-solaris-headers: build
	nice scripts/check-solaris-build $(BUILD)

# The GoogleTest suites built for big-endian s390x and run under qemu-user; their passed tests
# must be those of the little-endian build.
test-bigendian: build
	nice scripts/test-bigendian $(BE_BUILD) $(BUILD)

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
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(BE_BUILD) $(FUZZ_BUILD)
