// Java strings made from C text, for both libraries. Text from the system is bytes of unknown
// encoding; JNI accepts only modified UTF-8, so bytes that do not form valid UTF-8 are taken
// as Latin-1.
#pragma once
#include <jni.h>
#include <cstddef>
#include <string>

namespace jni {

// The modified-UTF-8 form of `bytes`: valid UTF-8 is kept (characters beyond the basic plane
// become surrogate pairs), text already in modified UTF-8 (C0 80, encoded surrogates) is kept
// as it is, NUL becomes C0 80, and any other byte is read as a Latin-1 character.
std::string toModifiedUtf8(const std::string& bytes);

// The length of the longest prefix of text[0, length) of at most `limit` bytes that does not
// end inside a multi-byte character.
size_t characterBoundary(const char* text, size_t length, size_t limit);

// A new Java string of the text, or null with a Java exception pending: the one way C text
// becomes a Java string in both libraries (code that unwinds wraps it in `checked`). Plain
// ASCII and valid modified UTF-8 reach Java byte for byte.
jstring newJavaString(JNIEnv* env, const std::string& text);
jstring newJavaString(JNIEnv* env, const char* text);

// The standard UTF-8 form of a Java string's modified-UTF-8 characters: C0 80 becomes a NUL
// byte and each surrogate pair one four-byte sequence, so text Java handed in goes back to
// Java unchanged through newJavaString.
std::string fromModifiedUtf8(const char* chars);

}  // namespace jni
