# The two entry points of the README: `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BE_BUILD   ?= build-s390x
JOBS       ?= $(shell nproc)

.PHONY: all bootstrap build demo demo-live test test-asan test-solaris-headers test-bigendian clean

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

test: build test-asan test-solaris-headers test-bigendian
	cd $(BUILD) && ctest --output-on-failure -j 1

# The GoogleTest suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_SANITIZE=ON -DHOSTPROBE_JAVA=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L cpp

# Every source a Solaris build compiles, checked with clang for 64-bit SPARC Solaris against the
# stand-in Solaris headers of tests/solaris (syntax and layout assertions only).
test-solaris-headers: build
	nice scripts/check-solaris-build $(BUILD)

# The GoogleTest suites built for big-endian s390x and run under qemu-user; their passed tests
# must be those of the little-endian build.
test-bigendian: build
	nice scripts/test-bigendian $(BE_BUILD) $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BE_BUILD)
