// What the scan writes and reports: records of entries with any name, size, times, depth and
// numbers, which stay within the record buffer and terminated; the cut of directory strings
// and messages sent to Java, within its limit and between characters; error texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fsscan/CallbackClass.h"
#include "fsscan/CommonGather.h"
#include "fsscan/DirectoryCursor.h"
#include "fsscan/ScanStatus.h"
#include "jni/JavaText.h"

namespace {

// A cursor standing on one made-up entry.
class FixedCursor : public DirectoryCursor {
public:
    FixedCursor(std::string name, long times[3]) : name_(std::move(name)), times_{times[0], times[1], times[2]} {}
    bool IsDirectory() override { return false; }
    int initialize(const char*) override { return 0; }
    bool IsLink() override { return false; }
    char* GetName() override { return &name_[0]; }
    double GetSize() override { return 0; }
    long GetFileAccessTime() override { return times_[0]; }
    long GetFileCreateTime() override { return times_[1]; }
    long GetFileModifiedTime() override { return times_[2]; }
    char* GetPath() override { return &name_[0]; }
    DirectoryCursor* GetChildren() override { return nullptr; }
    bool Next() override { return false; }

private:
    std::string name_;
    long times_[3];
};

void requireRecord(const char* record, size_t length) {
    if (length >= CommonGather::RECORD_BUFFER_SIZE || std::strlen(record) != length) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    long times[3];
    for (long& t : times) t = in.ConsumeIntegral<long>();
    double bytes = in.ConsumeBool() ? in.ConsumeFloatingPoint<double>() : static_cast<double>(in.ConsumeIntegral<uint64_t>());
    int depth = in.ConsumeIntegral<int>(), parent = in.ConsumeIntegral<int>(), number = in.ConsumeIntegral<int>();
    CalculatedValues totals;
    totals.size = in.ConsumeFloatingPoint<double>();
    totals.fileCount = in.ConsumeIntegral<int>();
    totals.directoryCount = in.ConsumeIntegral<int>();
    size_t limit = in.ConsumeIntegralInRange<size_t>(0, CallbackClass::TEXT_LIMIT);
    int error = in.ConsumeIntegral<int>();
    std::string name = in.ConsumeRemainingBytesAsString();

    FixedCursor cursor(name.c_str(), times);
    CommonGather gather;
    auto record = std::make_unique<char[]>(CommonGather::RECORD_BUFFER_SIZE);
    requireRecord(record.get(), gather.getFileString(record.get(), &cursor, bytes, depth, parent, number));
    requireRecord(record.get(),
                  gather.getDirectoryString(record.get(), &cursor, bytes, depth, parent, number, totals));

    // The cut of what a report carries: a prefix within the limit, at a character boundary.
    for (size_t cutAt : {limit, static_cast<size_t>(CallbackClass::TEXT_LIMIT)}) {
        std::string cut = cutText(name.c_str(), cutAt);
        if (cut.size() > cutAt || std::strncmp(cut.c_str(), name.c_str(), cut.size()) != 0) __builtin_trap();
        size_t whole = std::strlen(name.c_str());
        if (cut.size() != jni::characterBoundary(name.c_str(), whole, cutAt)) __builtin_trap();
    }

    auto message = std::make_unique<char[]>(48);
    getErrorMessage(error, message.get());
    if (std::memchr(message.get(), '\0', 48) == nullptr) __builtin_trap();
    return 0;
}
