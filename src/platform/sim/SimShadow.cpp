// The shadow lookup of the simulated host: its `shadow` section.
#include <cerrno>
#include <cstring>
#include <string>

#include "ShadowBackends.h"
#include "sim/SimHost.h"

namespace sol::simulated {

spwd* getspnam_r(const char* name, spwd* result, char* buffer, int buflen) {
    auto host = sim::host();
    if (!host) {
        errno = EIO;
        return nullptr;
    }
    const sim::json& section = host->section("shadow");
    const sim::json& entries = section.is_object() && section.contains("entries") ? section["entries"] : sim::json();
    if (name != nullptr && entries.is_array()) {
        for (const sim::json& e : entries) {
            if (e.value("name", std::string()) != name) continue;
            bool hasPassword = e.contains("passwd") && e["passwd"].is_string();
            std::string login = e.value("name", std::string());
            std::string password = hasPassword ? e["passwd"].get<std::string>() : std::string();
            // The strings and their terminators must fit the caller's buffer.
            size_t needed = login.size() + 1 + (hasPassword ? password.size() + 1 : 0);
            if (result == nullptr || buffer == nullptr || buflen < 0 || needed > static_cast<size_t>(buflen)) {
                errno = ERANGE;
                return nullptr;
            }
            std::memcpy(buffer, login.c_str(), login.size() + 1);
            result->sp_namp = buffer;
            result->sp_pwdp = nullptr;
            if (hasPassword) {
                char* p = buffer + login.size() + 1;
                std::memcpy(p, password.c_str(), password.size() + 1);
                result->sp_pwdp = p;
            }
            result->sp_lstchg = result->sp_min = result->sp_max = -1;
            result->sp_warn = result->sp_inact = result->sp_expire = -1;
            result->sp_flag = 0;
            return result;
        }
    }
    errno = sim::number<int>(section, "lookup_errno", 0);
    return nullptr;
}

}  // namespace sol::simulated
