// Names borrowed from Java go back to Java unchanged.
#include <gtest/gtest.h>

#include "jni/JavaText.h"

TEST(FromModifiedUtf8, UndoesTheJavaOnlyEncodings) {
    EXPECT_EQ("c1t3d0", fromModifiedUtf8("c1t3d0"));
    EXPECT_EQ("caf\xC3\xA9", fromModifiedUtf8("caf\xC3\xA9"));
    EXPECT_EQ(std::string("a\0b", 3), fromModifiedUtf8("a\xC0\x80" "b"));               // encoded NUL
    EXPECT_EQ("\xF0\x9F\x98\x80", fromModifiedUtf8("\xED\xA0\xBD\xED\xB8\x80"));      // surrogate pair
    EXPECT_EQ("\xED\xA0\xBD" "x", fromModifiedUtf8("\xED\xA0\xBD" "x"));              // lone surrogate kept
    EXPECT_EQ("\xED\xA0", fromModifiedUtf8("\xED\xA0"));                              // cut short
    EXPECT_EQ("", fromModifiedUtf8(nullptr));
    // Through toModifiedUtf8 the text is what Java handed in.
    const char* fromJava = "x\xC0\x80\xED\xA0\xBD\xED\xB8\x80\xC3\xA9";
    EXPECT_EQ(fromJava, toModifiedUtf8(fromModifiedUtf8(fromJava)));
}
