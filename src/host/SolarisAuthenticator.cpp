// authenticate and getLibraryBuildDate of SolarisAuthenticator.
#include "host/SolarisAuthenticator.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "com_vantor_kelda_providers_solaris_SolarisAuthenticator.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "sol/crypt.h"
#include "sol/shadow.h"

#ifndef HOSTPROBE_BUILD_DATE
#define HOSTPROBE_BUILD_DATE "1970-01-01 00:00:00"
#endif

namespace {

// The entry's strings go into a buffer that grows while the lookup answers ERANGE.
constexpr size_t kFirstBufferSize = 1024;
constexpr size_t kLargestBufferSize = 1 << 20;

// strerror_r comes in two forms: the XSI one answers a status, the GNU one the text.
[[maybe_unused]] std::string errorTextOf(int status, const char* buffer, int error) {
    return status == 0 ? std::string(buffer) : "Unknown error " + std::to_string(error);
}
[[maybe_unused]] std::string errorTextOf(const char* text, const char*, int) { return text; }

// The text of an error number, without strerror's buffer shared by every thread.
std::string errorText(int error) {
    char buffer[256] = "";
    return errorTextOf(strerror_r(error, buffer, sizeof buffer), buffer, error);
}

}  // namespace

bool checkPassword(const char* user, const std::function<const char*()>& password, std::string& message) {
    message.clear();
    sol::spwd entry;
    std::vector<char> buffer(kFirstBufferSize);
    sol::spwd* found = nullptr;
    while (true) {
        errno = 0;  // so that a message names only what this lookup left
        found = sol::getspnam_r(user, &entry, buffer.data(), static_cast<int>(buffer.size()));
        if (found != nullptr || errno != ERANGE || buffer.size() >= kLargestBufferSize) break;
        buffer.resize(buffer.size() * 4);
    }
    if (found == nullptr) {
        int error = errno;
        message = std::string("No password entry for user ") + user + " found";
        if (error != 0) message += "; " + errorText(error);
        return false;
    }

    const char* stored = entry.sp_pwdp;
    if (stored == nullptr || *stored == '\0') return true;  // no password set
    if (stored[1] == '\0') {
        message = "Salted password is too short";
        return false;
    }
    // The whole stored hash is the setting: it names the scheme and its salt (for a
    // traditional DES hash only its first two characters count). A setting the platform
    // refuses, such as a locked "*LK*", matches no password.
    const char* hash = sol::crypt(password(), stored);
    return hash != nullptr && std::strcmp(hash, stored) == 0;
}

std::string libraryBuildDate() {
    // HOSTPROBE_BUILD_DATE is "YYYY-MM-DD hh:mm:ss"; the answer is "Mon D YYYY".
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char* stamp = HOSTPROBE_BUILD_DATE;
    int year = std::atoi(stamp);
    int month = std::strlen(stamp) >= 7 ? std::atoi(stamp + 5) : 1;
    int day = std::strlen(stamp) >= 10 ? std::atoi(stamp + 8) : 1;
    if (month < 1 || month > 12) month = 1;
    return std::string(months[month - 1]) + " " + std::to_string(day) + " " + std::to_string(year);
}

JNIEXPORT jboolean JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisAuthenticator_authenticate(JNIEnv* env, jobject, jstring user,
                                                                          jstring password) {
    jni::JniString userName(env, user);
    jni::JniString passwordText(env, password);
    // A null argument leaves its Java exception pending.
    return jni::guardedExport<jboolean>(env, jni::kPendingOnly, JNI_FALSE, [&] {
        std::string message;
        bool accepted = checkPassword(userName.cText(), [&] { return passwordText.cText(); }, message);
        return accepted ? JNI_TRUE : JNI_FALSE;
    });
}

JNIEXPORT jstring JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisAuthenticator_getLibraryBuildDate(JNIEnv* env, jobject) {
    return jni::guardedExport<jstring>(env, jni::kPendingOnly, nullptr, [&] { return jni::newJavaString(env, libraryBuildDate()); });
}
