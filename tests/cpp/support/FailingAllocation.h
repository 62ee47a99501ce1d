// The test executables' allocation functions, which can make one allocation fail on request,
// and the count of the process's open descriptors: for tests of what a failure leaves behind.
#pragma once
#include <cstddef>

namespace testsupport {

// Makes one allocation of at least `minimumSize` bytes fail, after `allowed` others of that
// size, within the object's lifetime: counting only the calling thread's allocations
// (ThisThread) or every thread's (AnyThread). Only one fails: what unwinds from it,
// destructors included, allocates as usual.
class FailingAllocation {
public:
    enum class Scope { ThisThread, AnyThread };
    FailingAllocation(long allowed, std::size_t minimumSize, Scope scope);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;

private:
    Scope scope_;
};

std::size_t openDescriptors();

}  // namespace testsupport
