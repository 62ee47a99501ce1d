#include "jni/JniString.h"

#include "jni/Errors.h"
#include "jni/JavaText.h"

namespace jni {

namespace {

// The characters of a Java string, given back on every way out of the scope.
struct BorrowedChars {
    BorrowedChars(JNIEnv* env, jstring string)
        : env(env), string(string), chars(checked(env, env->GetStringUTFChars(string, nullptr))) {}
    ~BorrowedChars() { env->ReleaseStringUTFChars(string, chars); }
    BorrowedChars(const BorrowedChars&) = delete;
    BorrowedChars& operator=(const BorrowedChars&) = delete;

    JNIEnv* env;
    jstring string;
    const char* chars;
};

}  // namespace

const std::string& JniString::text() {
    if (!fetched_) {
        if (string_ == nullptr) jni::throwNullPointer(env_, "null string argument");
        text_ = fromModifiedUtf8(BorrowedChars(env_, string_).chars);
        for (char c : text_) {
            if (c == '\0') {
                cText_.append("\xC0\x80");
            } else {
                cText_.push_back(c);
            }
        }
        fetched_ = true;
    }
    return text_;
}

const char* JniString::cText() {
    text();
    return cText_.c_str();
}

}  // namespace jni
