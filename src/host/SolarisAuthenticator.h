// The check of a user name and password against the host's shadow password database.
#pragma once
#include <functional>
#include <string>

// True when `password()` (asked only when a hash must be computed) is accepted for `user`.
// A refusal that deserves a log line leaves its text in `message`.
bool checkPassword(const char* user, const std::function<const char*()>& password, std::string& message);

// The library's build date: "Mon D YYYY".
std::string libraryBuildDate();
