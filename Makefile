# The two entry points of the README: `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
JOBS       ?= $(shell nproc)

.PHONY: all bootstrap build demo demo-live test test-asan test-tsan clean

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

test: build test-asan test-tsan
	cd $(BUILD) && ctest --output-on-failure -j 1

# The GoogleTest suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_SANITIZE=ON -DHOSTPROBE_JAVA=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L cpp

# The GoogleTest suites again, built with ThreadSanitizer; any report fails the suite.
test-tsan: bootstrap
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_TSAN=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --output-on-failure -j $(JOBS) -L cpp

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD)
