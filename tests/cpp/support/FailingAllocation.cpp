#include "FailingAllocation.h"

#include <dirent.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations left before one fails; -1: none fails.
thread_local long threadAllocationsLeft = -1;
std::atomic<long> anyAllocationsLeft{-1};
std::atomic<std::size_t> failingSize{0};

bool failsNow(std::size_t size) {
    if (size < failingSize.load(std::memory_order_relaxed)) return false;
    if (threadAllocationsLeft >= 0 && threadAllocationsLeft-- == 0) return true;
    return anyAllocationsLeft.load(std::memory_order_relaxed) >= 0 && anyAllocationsLeft.fetch_sub(1) == 0;
}

}  // namespace

namespace testsupport {

FailingAllocation::FailingAllocation(long allowed, std::size_t minimumSize, Scope scope) : scope_(scope) {
    failingSize = minimumSize;
    if (scope == Scope::ThisThread) {
        threadAllocationsLeft = allowed;
    } else {
        anyAllocationsLeft = allowed;
    }
}

FailingAllocation::~FailingAllocation() {
    if (scope_ == Scope::ThisThread) {
        threadAllocationsLeft = -1;
    } else {
        anyAllocationsLeft = -1;
    }
}

std::size_t openDescriptors() {
    std::size_t count = 0;
    if (DIR* fds = ::opendir("/proc/self/fd")) {
        while (::readdir(fds) != nullptr) ++count;
        ::closedir(fds);
    }
    return count;
}

}  // namespace testsupport

void* operator new(std::size_t size) {
    if (failsNow(size)) throw std::bad_alloc();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
