// What failed while a host was captured: each failure is one line on standard error when it
// happens and one entry of the description's "capture" section.
#pragma once
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace capture {

using json = nlohmann::json;

class CaptureLog {
public:
    // A call that failed on `target` (a path, a statistic, an adapter; may be empty).
    void failed(const std::string& call, const std::string& target, const std::string& error);
    // The same with the text of an errno value.
    void failedErrno(const std::string& call, const std::string& target, int error);

    // The entries, in the order they happened.
    json entries() const;
    size_t size() const { return entries_.size(); }

private:
    struct Entry {
        std::string call, target, error;
    };
    std::vector<Entry> entries_;
};

// A C text field of `size` bytes read up to its first NUL: a JSON string when every byte is
// printable ASCII, else {"hex": "..."} with the exact bytes (the simulated host's byte field).
json textField(const char* data, size_t size);
// Exact bytes of a fixed-width field, NULs included, in the same two forms.
json bytesField(const unsigned char* data, size_t size);
// Bytes as lowercase hexadecimal digits.
std::string hexOf(const unsigned char* data, size_t size);

}  // namespace capture
