// The cut of directory strings and messages that reports carry to Java.
#include <gtest/gtest.h>

#include <string>

#include "fsscan/CallbackClass.h"

TEST(ReportText, TheCutFallsBetweenCharacters) {
    const size_t limit = CallbackClass::TEXT_LIMIT;
    const std::string euro = "\xE2\x82\xAC", face = "\xF0\x9F\x98\x80";
    // A character straddling the cut is left out whole, whatever its length.
    for (const std::string& c : {euro, face}) {
        for (size_t before = limit - c.size() + 1; before < limit; ++before) {
            std::string text = std::string(before, 'a') + c + "tail";
            EXPECT_EQ(std::string(before, 'a'), cutText(text.c_str(), limit)) << c.size() << " " << before;
        }
        // One that ends exactly at the cut stays.
        std::string fits = std::string(limit - c.size(), 'a') + c + "tail";
        EXPECT_EQ(fits.substr(0, limit), cutText(fits.c_str(), limit));
    }
    EXPECT_EQ("short " + euro, cutText(("short " + euro).c_str(), limit));
    EXPECT_EQ("", cutText(nullptr, limit));
}
