#include "fsscan/CallbackClass.h"

#include <cstdio>
#include <cstring>

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

// Length of the sequence at p (2 to 4 bytes) and its code point; 0 when invalid. Modified
// UTF-8's C0 80 and encoded surrogates are accepted.
size_t sequence(const unsigned char* p, unsigned& codePoint) {
    unsigned char b = p[0];
    if (b == 0xC0 && p[1] == 0x80) {
        codePoint = 0;
        return 2;
    }
    size_t n;
    unsigned min;
    if (b >= 0xC2 && b <= 0xDF) { n = 2; codePoint = b & 0x1F; min = 0x80; }
    else if (b >= 0xE0 && b <= 0xEF) { n = 3; codePoint = b & 0x0F; min = 0x800; }
    else if (b >= 0xF0 && b <= 0xF4) { n = 4; codePoint = b & 0x07; min = 0x10000; }
    else return 0;
    for (size_t i = 1; i < n; ++i) {
        if (!continuation(p[i])) return 0;  // also stops at the terminator
        codePoint = (codePoint << 6) | (p[i] & 0x3F);
    }
    if (codePoint < min || codePoint > 0x10FFFF) return 0;
    return n;
}

}  // namespace

std::string toJavaUtf(const char* text) {
    std::string out;
    if (text == nullptr) return out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        unsigned codePoint = 0;
        size_t n = *p < 0x80 ? 1 : sequence(p, codePoint);
        if (n == 0) {
            appendUnit(out, *p);  // a stray byte, read as Latin-1
            n = 1;
        } else if (n == 4) {
            codePoint -= 0x10000;
            appendUnit(out, 0xD800 | (codePoint >> 10));
            appendUnit(out, 0xDC00 | (codePoint & 0x3FF));
        } else {
            out.append(reinterpret_cast<const char*>(p), n);
        }
        p += n;
    }
    return out;
}

std::string cutText(const char* text, size_t limit) {
    if (text == nullptr) return std::string();
    size_t length = ::strnlen(text, limit + 1);
    if (length <= limit) return std::string(text, length);
    size_t cut = limit;
    // Back off to the start of the character the cut falls into, unless it is complete.
    size_t start = cut;
    while (start > 0 && continuation(static_cast<unsigned char>(text[start]))) --start;
    if (start < cut) {
        unsigned codePoint;
        size_t n = sequence(reinterpret_cast<const unsigned char*>(text + start), codePoint);
        if (n != 0 && start + n > cut) cut = start;
    }
    return std::string(text, cut);
}

bool CallbackClass::failed() {
    if (!env->ExceptionCheck()) return false;
    jthrowable raised = env->ExceptionOccurred();
    env->ExceptionClear();
    if (deferred == nullptr) {
        deferred = raised;
    } else {
        env->DeleteLocalRef(raised);
    }
    return true;
}

void CallbackClass::rethrowDeferred() {
    if (deferred != nullptr && !env->ExceptionCheck()) env->Throw(deferred);
    deferred = nullptr;
}

void CallbackClass::send(const char* method, const std::string* elements, int count) {
    jclass cls = env->GetObjectClass(obj);
    if (cls == nullptr) {
        failed();
        return;
    }
    jmethodID callback = env->GetMethodID(cls, method, "([Ljava/lang/String;)V");
    env->DeleteLocalRef(cls);
    if (callback == nullptr) {
        // A job without this method takes no reports.
        if (env->ExceptionCheck()) env->ExceptionClear();
        return;
    }
    jclass stringClass = env->FindClass("java/lang/String");
    if (stringClass == nullptr) {
        failed();
        return;
    }
    jobjectArray array = env->NewObjectArray(count, stringClass, nullptr);
    env->DeleteLocalRef(stringClass);
    if (array == nullptr) {
        failed();
        return;
    }
    for (int i = 0; i < count; ++i) {
        jstring element = env->NewStringUTF(toJavaUtf(elements[i].c_str()).c_str());
        if (element == nullptr) {
            failed();
            env->DeleteLocalRef(array);
            return;
        }
        env->SetObjectArrayElement(array, i, element);
        env->DeleteLocalRef(element);
        if (failed()) {
            env->DeleteLocalRef(array);
            return;
        }
    }
    env->CallVoidMethod(obj, callback, array);
    failed();
    env->DeleteLocalRef(array);
}

void CallbackClass::Send(int jobId, const char* directory, int status, long, const char* dbFile, const char* message) {
    if (env->ExceptionCheck()) failed();
    std::string elements[5] = {std::to_string(jobId), cutText(directory, TEXT_LIMIT), std::to_string(status),
                               dbFile == nullptr ? "" : dbFile, status == 1 ? "" : cutText(message, TEXT_LIMIT)};
    send("callbackMethod", elements, 5);
}

void CallbackClass::SendForTestScan(int status, const char* dbFile, const char* volumes) {
    if (env->ExceptionCheck()) failed();
    std::string elements[3] = {std::to_string(status), dbFile == nullptr ? "" : dbFile,
                               volumes == nullptr ? "" : volumes};
    send("callbackMethodForTestScan", elements, 3);
}
