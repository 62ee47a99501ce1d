// A Java string argument, decoded for the length of a native call. Java hands its characters
// over in modified UTF-8; native code sees them as standard UTF-8, the form in which the file
// system, the password database and the devices name things.
#pragma once
#include <jni.h>

#include <string>

namespace jni {

class JniString {
public:
    JniString(JNIEnv* env, jstring string) : env_(env), string_(string) {}
    JniString(const JniString&) = delete;
    JniString& operator=(const JniString&) = delete;

    // The decoded text, fetched on first use: a NUL character is one NUL byte, a character
    // beyond the basic plane one four-byte sequence. A null Java string raises
    // NullPointerException in Java rather than crashing the virtual machine.
    const std::string& text();

    // The decoded text for a C call (a path, a user name, a password, a device id): the same,
    // except that a NUL character keeps its two-byte form C0 80. The C string is thus never
    // cut short at the NUL, and names nothing the text without its NUL would name.
    const char* cText();

private:
    JNIEnv* env_;
    jstring string_;
    bool fetched_ = false;
    std::string text_;
    std::string cText_;
};

}  // namespace jni
