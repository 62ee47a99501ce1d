# The two entry points of the README: `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)

.PHONY: all bootstrap build demo demo-live test test-asan clean

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

test: build test-asan
	cd $(BUILD) && ctest --output-on-failure -j 1

# The GoogleTest suites again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: bootstrap
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DHOSTPROBE_SANITIZE=ON -DHOSTPROBE_JAVA=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS) -L cpp

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
