#include "fsscan/ScanRecord.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "fsscan/Decimal.h"
#include "fsscan/DirectoryCursor.h"

namespace {

// Appends text to a bounded record buffer, always leaving it terminated.
class RecordWriter {
public:
    RecordWriter(char* out, size_t size) : out_(out), end_(out + size - 1), at_(out) {}

    RecordWriter& text(const char* s) {
        if (s == nullptr) s = "(null)";
        size_t room = static_cast<size_t>(end_ - at_);
        const void* terminator = std::memchr(s, '\0', room);
        return bytes(s, terminator == nullptr ? room : static_cast<size_t>(static_cast<const char*>(terminator) - s));
    }

    RecordWriter& number(long value) {
        char digits[24];
        char* end = digits + sizeof digits;
        // A few characters: copied here rather than through a call.
        for (char* d = decimalBefore(end, value); d != end && at_ < end_; ++d) *at_++ = *d;
        *at_ = '\0';
        return *this;
    }

    // A size as "%.0f" prints it. Whole byte counts (every real total) take the fast path.
    RecordWriter& size(double value) {
        if (value >= 0 && value < 9.0e18 && value == std::floor(value)) {
            return number(static_cast<long>(value));
        }
        char formatted[400];
        std::snprintf(formatted, sizeof formatted, "%.0f", value);
        return text(formatted);
    }

    RecordWriter& separator() { return bytes("<>", 2); }

    size_t length() const { return static_cast<size_t>(at_ - out_); }

private:
    // Appends what fits of `length` bytes.
    RecordWriter& bytes(const char* s, size_t length) {
        size_t room = static_cast<size_t>(end_ - at_);
        if (length > room) length = room;
        std::memcpy(at_, s, length);
        at_ += length;
        *at_ = '\0';
        return *this;
    }

    char* out_;
    char* end_;
    char* at_;
};

}  // namespace

size_t formatRecord(char* out, DirectoryCursor& cursor, double size, int flag, int depth, int parent, int number,
                    int fileCount, int directoryCount) {
    RecordWriter w(out, RECORD_SIZE);
    w.text(cursor.GetName()).separator();
    w.size(size).separator();
    w.number(cursor.GetFileAccessTime()).separator();
    w.number(cursor.GetFileCreateTime()).separator();
    w.number(cursor.GetFileModifiedTime()).separator();
    w.number(flag).separator();
    w.number(depth).separator();
    w.number(parent).separator();
    w.number(number).separator();
    w.number(fileCount).separator();
    w.number(directoryCount).separator();
    w.text("*");
    return w.length();
}

