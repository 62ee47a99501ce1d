#include "capture/CaptureLog.h"

#include <cstdio>
#include <cstring>

namespace capture {

void CaptureLog::failed(const std::string& call, const std::string& target, const std::string& error) {
    entries_.push_back({call, target, error});
    std::fprintf(stderr, "hostprobe-capture: %s%s%s: %s\n", call.c_str(), target.empty() ? "" : " ", target.c_str(),
                 error.c_str());
}

void CaptureLog::failedErrno(const std::string& call, const std::string& target, int error) {
    char text[256];
    // The XSI strerror_r on Solaris, the GNU one on glibc: both leave a message we can use.
#if defined(__sun) || ((_POSIX_C_SOURCE >= 200112L) && !defined(_GNU_SOURCE))
    if (strerror_r(error, text, sizeof text) != 0) std::snprintf(text, sizeof text, "error %d", error);
    failed(call, target, text);
#else
    failed(call, target, strerror_r(error, text, sizeof text));
#endif
}

json CaptureLog::entries() const {
    json out = json::array();
    for (const Entry& e : entries_) {
        json item = {{"call", e.call}, {"error", e.error}};
        if (!e.target.empty()) item["target"] = e.target;
        out.push_back(std::move(item));
    }
    return out;
}

std::string hexOf(const unsigned char* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(2 * size);
    for (size_t i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 0x0F];
    }
    return out;
}

json bytesField(const unsigned char* data, size_t size) {
    if (size == 0) return "";
    for (size_t i = 0; i < size; ++i) {
        if (data[i] < 0x20 || data[i] > 0x7E) return json{{"hex", hexOf(data, size)}};
    }
    return std::string(reinterpret_cast<const char*>(data), size);
}

json textField(const char* data, size_t size) {
    return bytesField(reinterpret_cast<const unsigned char*>(data), strnlen(data, size));
}

}  // namespace capture
