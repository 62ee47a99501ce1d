#include "jni/JniString.h"

#include "jni/JavaException.h"
#include "jni/JavaText.h"
#include "jni/ThrowJavaError.h"

const std::string& JniString::text() {
    if (!fetched_) {
        if (string_ == nullptr) jni::throwNullPointer(env_, "null string argument");
        const char* chars = checked(env_, env_->GetStringUTFChars(string_, nullptr));
        text_ = fromModifiedUtf8(chars);
        env_->ReleaseStringUTFChars(string_, chars);
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
