#include "jni/JavaText.h"

#include <cstring>

namespace jni {

namespace {

void appendUnit(std::string& out, unsigned unit) {  // one UTF-16 unit in modified UTF-8
    if (unit != 0 && unit < 0x80) {
        out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
        out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the sequence at p (2 to 4 bytes, at most `left`) and its code point; 0 when the
// bytes form none. Modified UTF-8's own forms are sequences too: C0 80 (NUL) and encoded
// surrogates, so text that came from Java passes unchanged.
size_t sequenceLength(const unsigned char* p, size_t left, unsigned& codePoint) {
    unsigned char b = p[0];
    if (b == 0xC0 && left >= 2 && p[1] == 0x80) {
        codePoint = 0;
        return 2;
    }
    size_t n;
    unsigned min;
    if (b >= 0xC2 && b <= 0xDF) { n = 2; codePoint = b & 0x1F; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { n = 3; codePoint = b & 0x0F; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { n = 4; codePoint = b & 0x07; min = 0x10000; }
    else return 0;
    if (left < n) return 0;
    for (size_t i = 1; i < n; ++i) {
        if (!continuation(p[i])) return 0;
        codePoint = (codePoint << 6) | (p[i] & 0x3F);
    }
    if (codePoint < min || codePoint > 0x10FFFF) return 0;
    return n;
}

}  // namespace

std::string toModifiedUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t left = bytes.size();
    while (left > 0) {
        unsigned codePoint = 0;
        size_t n = (p[0] != 0 && p[0] < 0x80) ? 1 : sequenceLength(p, left, codePoint);
        if (n == 0) {
            appendUnit(out, p[0]);  // NUL, or a stray byte read as Latin-1
            n = 1;
        } else if (n == 4) {
            codePoint -= 0x10000;
            appendUnit(out, 0xD800 | (codePoint >> 10));
            appendUnit(out, 0xDC00 | (codePoint & 0x3FF));
        } else {
            out.append(reinterpret_cast<const char*>(p), n);
        }
        p += n;
        left -= n;
    }
    return out;
}

size_t characterBoundary(const char* text, size_t length, size_t limit) {
    if (length <= limit) return length;
    // Back off to the start of the character the cut falls into, unless it is complete.
    size_t start = limit;
    while (start > 0 && continuation(static_cast<unsigned char>(text[start]))) --start;
    if (start < limit) {
        unsigned codePoint;
        size_t n = sequenceLength(reinterpret_cast<const unsigned char*>(text + start), length - start, codePoint);
        if (n != 0 && start + n > limit) return start;
    }
    return limit;
}

std::string fromModifiedUtf8(const char* chars) {
    std::string out;
    if (chars == nullptr) return out;
    const auto* p = reinterpret_cast<const unsigned char*>(chars);
    // A three-byte unit at q: its 16-bit value, or -1 when the bytes are not one.
    auto unitAt = [](const unsigned char* q) -> long {
        if ((q[0] & 0xF0) != 0xE0 || (q[1] & 0xC0) != 0x80 || (q[2] & 0xC0) != 0x80) return -1;
        return ((q[0] & 0x0F) << 12) | ((q[1] & 0x3F) << 6) | (q[2] & 0x3F);
    };
    while (*p != '\0') {
        if (p[0] == 0xC0 && p[1] == 0x80) {
            out.push_back('\0');
            p += 2;
            continue;
        }
        long high = unitAt(p);
        if (high >= 0xD800 && high <= 0xDBFF) {
            long low = unitAt(p + 3);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unsigned long codePoint = 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
                out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
                out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
                out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
                p += 6;
                continue;
            }
        }
        out.push_back(static_cast<char>(*p++));
    }
    return out;
}

jstring newJavaString(JNIEnv* env, const std::string& text) {
    return env->NewStringUTF(toModifiedUtf8(text).c_str());
}

jstring newJavaString(JNIEnv* env, const char* text) {
    return newJavaString(env, std::string(text == nullptr ? "" : text));
}

}  // namespace jni
