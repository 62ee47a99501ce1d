// The JNI bridge: native error texts, Java text conversion, and the export pattern's handling
// of failures, driven through a recording JNI table.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "FakeJni.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "jni/NativeError.h"

using testsupport::FakeJni;

TEST(NativeErrors, CarryTheirPrefixedMessagesThroughSlicing) {
    struct Case {
        jni::NativeError error;
        const char* message;
    } cases[] = {
        {jni::NativeError("kstat open failed"), "kstat open failed"},
        {jni::MountTableError("/etc/mnttab"), "Unable to open mount table file: /etc/mnttab"},
        {jni::LogicalDiskNotFound("/export"), "Logical Disk Not Found: /export"},
        {jni::DiskIONameNotFound("sd9"), "Unable to find Disk IO Information name: sd9"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.message, c.error.message());
    try {
        throw jni::LogicalDiskNotFound("x");
    } catch (jni::NativeError e) {  // by value, as the exports catch it
        EXPECT_EQ("Logical Disk Not Found: x", e.message());
    }
}

TEST(JavaText, KeepsValidUtf8AndMendsTheRest) {
    EXPECT_EQ("SunOS 5.9", jni::toModifiedUtf8("SunOS 5.9"));
    EXPECT_EQ("caf\xC3\xA9", jni::toModifiedUtf8("caf\xC3\xA9"));          // valid two-byte sequence kept
    EXPECT_EQ("caf\xC3\xA9", jni::toModifiedUtf8("caf\xE9"));              // stray Latin-1 byte
    EXPECT_EQ("\xC0\x80", jni::toModifiedUtf8(std::string("\0", 1)));      // NUL in modified form
    EXPECT_EQ("\xED\xA0\xBD\xED\xB8\x80", jni::toModifiedUtf8("\xF0\x9F\x98\x80"));  // surrogate pair
    EXPECT_EQ("\xC3\x83(", jni::toModifiedUtf8("\xC3("));                  // truncated sequence
    EXPECT_EQ("\xED\xA0\x80", jni::toModifiedUtf8("\xED\xA0\x80"));  // text already in modified UTF-8 kept
    EXPECT_EQ("a\xC0\x80", jni::toModifiedUtf8("a\xC0\x80"));
}

TEST(JavaText, CutsOnlyBetweenCharacters) {
    const char* text = "ab\xC3\xA9" "c";  // a b e-acute c
    EXPECT_EQ(5u, jni::characterBoundary(text, 5, 9));  // shorter than the limit
    EXPECT_EQ(4u, jni::characterBoundary(text, 5, 4));  // after the whole character
    EXPECT_EQ(2u, jni::characterBoundary(text, 5, 3));  // not inside it
    EXPECT_EQ(3u, jni::characterBoundary("ab\x80\x80", 4, 3));  // stray bytes are single characters
}

TEST(ExportPattern, NativeErrorBecomesRuntimeExceptionWithItsMessage) {
    FakeJni jni;
    jobject result = jni::guardedExport<jobject>(jni.env(), jni::kNativeErrorsToJava, nullptr,
                                           []() -> jobject { throw jni::MountTableError("/etc/mnttab"); });
    EXPECT_EQ(nullptr, result);
    EXPECT_EQ(std::vector<std::string>{"Unable to open mount table file: /etc/mnttab"}, jni.strings);
    EXPECT_EQ((std::vector<std::string>{"NewStringUTF", "FindClass java/lang/RuntimeException",
                                        "GetMethodID java/lang/RuntimeException.<init> (Ljava/lang/String;)V",
                                        "NewObject java/lang/RuntimeException", "Throw java/lang/RuntimeException"}),
              jni.calls);
}

TEST(ExportPattern, AnyOtherExceptionIsUnknown) {
    FakeJni jni;
    EXPECT_EQ(nullptr, jni::guardedExport<jobject>(jni.env(), jni::kNativeErrorsToJava, nullptr,
                                             []() -> jobject { throw std::bad_alloc(); }));
    EXPECT_EQ(std::vector<std::string>{"UNKNOWN EXCEPTION"}, jni.strings);
    EXPECT_EQ("Throw java/lang/RuntimeException", jni.calls.back());
}

TEST(ExportPattern, PendingJavaExceptionIsLeftAloneAndNoFurtherCallIsMade) {
    FakeJni jni;
    jni.missing.insert("java/util/Vector");
    jobject result = jni::guardedExport<jobject>(jni.env(), jni::kNativeErrorsToJava, nullptr, [&]() -> jobject {
        jni::JavaVector vector(jni.env());  // FindClass fails with an exception pending
        ADD_FAILURE() << "the region went on after a failed lookup";
        return vector.get();
    });
    EXPECT_EQ(nullptr, result);
    EXPECT_EQ(std::vector<std::string>{"FindClass java/util/Vector"}, jni.calls);

    jni::ThrowJavaError(jni.env(), "ignored");  // never stacks a second exception
    EXPECT_EQ(1u, jni.calls.size());
    EXPECT_EQ(0, jni.callsWithPending);
}

// The disk enumeration's walk: whatever failed is printed and cleared, a Java exception the
// body left as well as the one raised for a native failure; a clean run prints nothing.
TEST(ExportPattern, PrintedAndClearedPolicyLeavesNothingPending) {
    FakeJni jni;
    EXPECT_TRUE(jni::guardedExport(jni.env(), jni::kPrintedAndCleared, [] {}));
    EXPECT_TRUE(jni.calls.empty());

    EXPECT_FALSE(jni::guardedExport(jni.env(), jni::kPrintedAndCleared, [&] {
        jni.pending = true;
        throw jni::JavaExceptionPending{};
    }));
    EXPECT_EQ(std::vector<std::string>{"ExceptionDescribe"}, jni.calls);
    EXPECT_FALSE(jni.pending);

    jni.calls.clear();
    EXPECT_FALSE(jni::guardedExport(jni.env(), jni::kPrintedAndCleared, [] { throw jni::NativeError("no device"); }));
    EXPECT_EQ(std::vector<std::string>{"UNKNOWN EXCEPTION"}, jni.strings);
    EXPECT_EQ("Throw java/lang/RuntimeException", jni.calls.at(jni.calls.size() - 2));
    EXPECT_EQ("ExceptionDescribe", jni.calls.back());
    EXPECT_FALSE(jni.pending);
    EXPECT_EQ(0, jni.callsWithPending);
}

TEST(ExportPattern, FallbackPoliciesAnswerTheFailuresTheyCover) {
    FakeJni jni;
    auto fallback = reinterpret_cast<jobject>(0x99);
    auto answer = [&] { return fallback; };
    auto nativeError = []() -> jobject { throw jni::NativeError("uname failed in getOperatingSystem"); };
    auto other = []() -> jobject { throw 42; };
    EXPECT_EQ(nullptr, jni::guardedExport<jobject>(jni.env(), jni::kFallbackOnOtherFailures, nullptr, nativeError, answer));
    EXPECT_EQ(fallback, jni::guardedExport<jobject>(jni.env(), jni::kFallbackOnOtherFailures, nullptr, other, answer));
    EXPECT_EQ(fallback, jni::guardedExport<jobject>(jni.env(), jni::kFallbackOnAnyFailure, nullptr, nativeError, answer));
    EXPECT_EQ(fallback, jni::guardedExport<jobject>(jni.env(), jni::kFallbackOnAnyFailure, nullptr, other, answer));
    EXPECT_TRUE(jni.calls.empty());  // nothing is raised

    // A Java exception the body left is never answered; a fallback that fails gives null.
    EXPECT_EQ(nullptr, jni::guardedExport<jobject>(jni.env(), jni::kFallbackOnAnyFailure, nullptr,
                                              [&]() -> jobject {
                                                  jni.pending = true;
                                                  throw jni::JavaExceptionPending{};
                                              },
                                              answer));
    jni.pending = false;
    EXPECT_EQ(nullptr, jni::guardedExport<jobject>(jni.env(), jni::kFallbackOnAnyFailure, nullptr, other,
                                              []() -> jobject { throw jni::JavaExceptionPending{}; }));
}

TEST(JniStringHolder, ReleasesOnlyWhatItBorrowed) {
    FakeJni jni;
    jobject text = jni.newObject("java/lang/String");
    { jni::JniString unused(jni.env(), static_cast<jstring>(text)); }
    EXPECT_TRUE(jni.calls.empty());
    {
        jni::JniString name(jni.env(), static_cast<jstring>(text));
        EXPECT_EQ("borrowed", name.text());
        EXPECT_STREQ("borrowed", name.cText());
    }
    EXPECT_EQ((std::vector<std::string>{"GetStringUTFChars", "ReleaseStringUTFChars"}), jni.calls);
}

// Java's modified UTF-8 is decoded: a character beyond the basic plane (two encoded
// surrogates) becomes one four-byte sequence and C0 80 a NUL, which the C form keeps encoded
// so a C call never sees the text cut short.
TEST(JniStringHolder, DecodesModifiedUtf8) {
    FakeJni jni;
    auto text = static_cast<jstring>(jni.newObject("java/lang/String"));
    jni.utfChars[text] = "/tmp/\xED\xA0\xBD\xED\xB8\x80\xC3\xA9/a\xC0\x80z";
    jni::JniString path(jni.env(), text);
    EXPECT_EQ(std::string("/tmp/\xF0\x9F\x98\x80\xC3\xA9/a\0z", 15), path.text());
    EXPECT_STREQ("/tmp/\xF0\x9F\x98\x80\xC3\xA9/a\xC0\x80z", path.cText());
    // Made a Java string again, the text is what Java handed in.
    jni::newJavaString(jni.env(), path.text());
    EXPECT_EQ(jni.utfChars[text], jni.strings.back());
    jni::newJavaString(jni.env(), path.cText());
    EXPECT_EQ(jni.utfChars[text], jni.strings.back());
}

TEST(JniStringHolder, NullStringRaisesNullPointerException) {
    FakeJni jni;
    jni::JniString missing(jni.env(), nullptr);
    EXPECT_THROW(missing.text(), jni::JavaExceptionPending);
    EXPECT_EQ(1, jni.count("ThrowNew java/lang/NullPointerException"));
    EXPECT_EQ(0, jni.count("GetStringUTFChars"));
}
