// Text between C and Java: any bytes into modified UTF-8, which must always be valid (no NUL
// byte, well-formed sequences of one to three bytes, characters beyond the basic plane as
// surrogate pairs); valid UTF-8 must come back unchanged; a cut never splits a character.
#include <cstdint>
#include <cstring>
#include <string>

#include "jni/JavaText.h"

namespace {

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Modified UTF-8 as JNI takes it.
bool validModifiedUtf8(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    for (size_t i = 0; i < n;) {
        unsigned char b = p[i];
        if (b == 0) return false;
        if (b < 0x80) {
            i += 1;
        } else if (b >= 0xC0 && b <= 0xDF) {
            if (i + 1 >= n || !continuation(p[i + 1])) return false;
            unsigned value = ((b & 0x1F) << 6) | (p[i + 1] & 0x3F);
            if (value < 0x80 && !(b == 0xC0 && p[i + 1] == 0x80)) return false;
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            if (i + 2 >= n || !continuation(p[i + 1]) || !continuation(p[i + 2])) return false;
            unsigned value = ((b & 0x0F) << 12) | ((p[i + 1] & 0x3F) << 6) | (p[i + 2] & 0x3F);
            if (value < 0x800) return false;
            i += 3;
        } else {
            return false;  // a continuation byte out of place, or a four-byte form
        }
    }
    return true;
}

// Standard UTF-8: shortest forms, no surrogates, nothing past U+10FFFF.
bool validUtf8(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    for (size_t i = 0; i < n;) {
        unsigned char b = p[i];
        size_t length;
        unsigned value, min;
        if (b < 0x80) { i += 1; continue; }
        if (b >= 0xC2 && b <= 0xDF) { length = 2; value = b & 0x1F; min = 0x80; }
        else if (b >= 0xE0 && b <= 0xEF) { length = 3; value = b & 0x0F; min = 0x800; }
        else if (b >= 0xF0 && b <= 0xF4) { length = 4; value = b & 0x07; min = 0x10000; }
        else return false;
        if (i + length > n) return false;
        for (size_t k = 1; k < length; ++k) {
            if (!continuation(p[i + k])) return false;
            value = (value << 6) | (p[i + k] & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string modified = jni::toModifiedUtf8(bytes);
    if (!validModifiedUtf8(modified)) __builtin_trap();
    bool utf8 = validUtf8(bytes);
    if (utf8 && jni::fromModifiedUtf8(modified.c_str()) != bytes) __builtin_trap();
    // Java's own text passes unchanged, and what Java hands in is read within its terminator.
    if (jni::toModifiedUtf8(modified) != modified) __builtin_trap();
    jni::fromModifiedUtf8(bytes.c_str());

    // Cuts at every limit near the end: within the limit, and whole characters of valid text.
    for (size_t limit = size > 8 ? size - 8 : 0; limit <= size; ++limit) {
        size_t cut = jni::characterBoundary(bytes.data(), size, limit);
        if (cut > limit) __builtin_trap();
        if (utf8 && !validUtf8(bytes.substr(0, cut))) __builtin_trap();
        if (utf8 && limit < size && cut + 3 < limit) __builtin_trap();  // one character at most is left out
    }
    return 0;
}
