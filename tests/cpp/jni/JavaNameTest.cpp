// Names borrowed from Java go back to Java unchanged.
#include <gtest/gtest.h>

#include "jni/JavaText.h"

TEST(FromModifiedUtf8, UndoesTheJavaOnlyEncodings) {
    EXPECT_EQ("c1t3d0", jni::fromModifiedUtf8("c1t3d0"));
    EXPECT_EQ("caf\xC3\xA9", jni::fromModifiedUtf8("caf\xC3\xA9"));
    EXPECT_EQ(std::string("a\0b", 3), jni::fromModifiedUtf8("a\xC0\x80" "b"));               // encoded NUL
    EXPECT_EQ("\xF0\x9F\x98\x80", jni::fromModifiedUtf8("\xED\xA0\xBD\xED\xB8\x80"));      // surrogate pair
    EXPECT_EQ("\xED\xA0\xBD" "x", jni::fromModifiedUtf8("\xED\xA0\xBD" "x"));              // lone surrogate kept
    EXPECT_EQ("\xED\xA0", jni::fromModifiedUtf8("\xED\xA0"));                              // cut short
    EXPECT_EQ("", jni::fromModifiedUtf8(nullptr));
    // Through toModifiedUtf8 the text is what Java handed in.
    const char* fromJava = "x\xC0\x80\xED\xA0\xBD\xED\xB8\x80\xC3\xA9";
    EXPECT_EQ(fromJava, jni::toModifiedUtf8(jni::fromModifiedUtf8(fromJava)));
}
