// The password check and its log messages against simulated shadow entries.
#include <gtest/gtest.h>

#include <regex>

#include "TestSupport.h"
#include "host/SolarisAuthenticator.h"

using testsupport::SimHost;

namespace {

struct Check {
    bool accepted;
    std::string message;
    int passwordAsked;
};

Check check(const char* user, const char* password) {
    Check c{false, "", 0};
    c.accepted = checkPassword(user, [&] { ++c.passwordAsked; return password; }, c.message);
    return c;
}

}  // namespace

TEST(Authenticator, RefusalsCarryTheirMessages) {
    std::string longField(3000, 'q');
    SimHost host(R"({"shadow": {"entries": [
        {"name": "weird", "passwd": "x"}, {"name": "nopw", "passwd": ""},
        {"name": "alice", "passwd": "abhv/ZnAzL36k"}, {"name": "long", "passwd": ")" + longField + R"("}]}})");
    Check missing = check("bob", "pw");
    EXPECT_FALSE(missing.accepted);
    EXPECT_EQ("No password entry for user bob found", missing.message);

    Check shortField = check("weird", "x");
    EXPECT_FALSE(shortField.accepted);
    EXPECT_EQ("Salted password is too short", shortField.message);

    Check empty = check("nopw", "whatever");
    EXPECT_TRUE(empty.accepted);
    EXPECT_EQ(0, empty.passwordAsked);

    Check wrong = check("alice", "secret13");  // a wrong password is refused without a message
    EXPECT_FALSE(wrong.accepted);
    EXPECT_EQ("", wrong.message);

    // An entry larger than the first buffer is still found (no lookup message).
    Check large = check("long", "q");
    EXPECT_FALSE(large.accepted);
    EXPECT_EQ("", large.message);
}

TEST(Authenticator, MissingEntryMessageNamesTheLookupError) {
    SimHost host(R"({"shadow": {"entries": [], "lookup_errno": 13}})");
    EXPECT_EQ("No password entry for user bob found; Permission denied", check("bob", "pw").message);
    host.replace(R"({"shadow": {"entries": []}})");
    errno = 13;  // a stale error number is not reported
    EXPECT_EQ("No password entry for user bob found", check("bob", "pw").message);
}

TEST(Authenticator, BuildDateIsMonthDayYear) {
    std::string date = libraryBuildDate();
    EXPECT_TRUE(std::regex_match(date, std::regex("[A-Z][a-z]{2} [1-9][0-9]? [0-9]{4}"))) << date;
}
