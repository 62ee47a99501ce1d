// Borrows the modified-UTF-8 characters of a Java string for the length of a native call.
#pragma once
#include <jni.h>

#include "jni/JavaException.h"
#include "jni/ThrowJavaError.h"

class JniString {
public:
    JniString(JNIEnv* env, jstring string) : env_(env), string_(string), chars_(nullptr) {}
    JniString(const JniString&) = delete;
    JniString& operator=(const JniString&) = delete;
    ~JniString() {
        if (chars_ != nullptr) env_->ReleaseStringUTFChars(string_, chars_);
    }

    // The characters, fetched on first use. A null Java string raises NullPointerException in
    // Java rather than crashing the virtual machine.
    const char* chars() {
        if (chars_ == nullptr) {
            if (string_ == nullptr) {
                jni::throwNullPointer(env_, "null string argument");
            }
            chars_ = checked(env_, env_->GetStringUTFChars(string_, nullptr));
        }
        return chars_;
    }

private:
    JNIEnv* env_;
    jstring string_;
    const char* chars_;
};
