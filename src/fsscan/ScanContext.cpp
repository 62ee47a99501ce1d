#include "fsscan/ScanContext.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>

#include "fsscan/Logger.h"

namespace {

// Keeps errno across the Java lookups made between entries of the walk.
struct ErrnoKeeper {
    int saved = errno;
    ~ErrnoKeeper() { errno = saved; }
};

// Releases a local reference at the end of its scope.
struct LocalRef {
    JNIEnv* env;
    jobject ref;
    ~LocalRef() {
        if (ref != nullptr) env->DeleteLocalRef(ref);
    }
};

// The "localdir" property's value into `out` (DB_PATH_SIZE bytes), with room left for a "/".
bool readLocaldir(JNIEnv* env, char* out) {
    out[0] = '\0';
    if (env == nullptr || env->ExceptionCheck()) return false;
    jclass system = env->FindClass("java/lang/System");
    if (system == nullptr) {
        env->ExceptionClear();
        return false;
    }
    LocalRef systemRef{env, system};
    jstring name = env->NewStringUTF("localdir");
    if (name == nullptr) {
        env->ExceptionClear();
        return false;
    }
    LocalRef nameRef{env, name};
    jmethodID getProperty = env->GetStaticMethodID(system, "getProperty", "(Ljava/lang/String;)Ljava/lang/String;");
    if (getProperty == nullptr) {
        env->ExceptionClear();
        return false;
    }
    auto value = static_cast<jstring>(env->CallStaticObjectMethod(system, getProperty, name));
    if (env->ExceptionCheck()) {
        env->ExceptionClear();  // e.g. a security manager refusing the property: no directory
        return false;
    }
    if (value == nullptr) return false;
    LocalRef valueRef{env, value};
    // The value's modified UTF-8 must fit with the "/" still to come and the terminator.
    jsize bytes = env->GetStringUTFLength(value);
    if (bytes + 2 > ScanContext::DB_PATH_SIZE) return false;
    env->GetStringUTFRegion(value, 0, env->GetStringLength(value), out);
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        out[0] = '\0';
        return false;
    }
    out[bytes] = '\0';
    return true;
}

}  // namespace

bool ScanContext::ResolveDBPath() {
    if (env_ == nullptr) return dbPath[0] != '\0';  // without Java: the directory given, if any
    char directory[DB_PATH_SIZE];
    dbPath[0] = '\0';
    logPath[0] = '\0';
    return readLocaldir(env_, directory) && SetDBPath(directory);
}

bool ScanContext::SetDBPath(const char* directory) {
    dbPath[0] = '\0';
    logPath[0] = '\0';
    size_t bytes = std::strlen(directory);
    if (bytes + 2 > DB_PATH_SIZE) return false;
    DIR* stream = ::opendir(directory);
    if (stream == nullptr) return false;
    ::closedir(stream);
    std::memcpy(dbPath, directory, bytes + 1);
    if (bytes == 0 || dbPath[bytes - 1] != '/') {
        dbPath[bytes] = '/';
        dbPath[bytes + 1] = '\0';
    }
    size_t directoryLength = std::strlen(dbPath);
    size_t nameLength = std::strlen(LOG_FILE);
    if (directoryLength + nameLength < sizeof logPath) {
        std::memcpy(logPath, dbPath, directoryLength);
        std::memcpy(logPath + directoryLength, LOG_FILE, nameLength + 1);
    }
    return true;
}

bool ScanContext::IsStopScan() {
    JNIEnv* env = env_;
    if (env == nullptr || job_ == nullptr) return false;
    ErrnoKeeper keep;
    if (env->ExceptionCheck()) return true;  // a Java failure of the scan's own ends it
    if (stopField == nullptr) {
        jclass cls = env->GetObjectClass(job_);
        jfieldID field = env->GetStaticFieldID(cls, "stopScan", "Z");
        if (field == nullptr) {
            env->ExceptionClear();  // NoSuchFieldError: the job has no flag
            env->DeleteLocalRef(cls);
            Logger(*this, "ERROR") << "Could not get Stop Scan status. \n";
            return true;
        }
        stopClass = cls;
        stopField = field;
    }
    return env->GetStaticBooleanField(stopClass, stopField) == JNI_TRUE;
}
