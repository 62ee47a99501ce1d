#include "fsscan/ScanContext.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>

#include "fsscan/ErrnoKeeper.h"
#include "fsscan/Logger.h"
#include "jni/ClassHolder.h"
#include "jni/Errors.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "jni/LocalRef.h"

namespace {

// The "localdir" property's value into `out` (DB_PATH_SIZE bytes), with room left for a "/".
bool readLocaldir(JNIEnv* env, char* out) {
    out[0] = '\0';
    if (env == nullptr || env->ExceptionCheck()) return false;
    jni::LocalRef<jclass> system(env, jni::findClass(env, "java/lang/System"));
    if (!system) {
        env->ExceptionClear();
        return false;
    }
    jni::LocalRef<jstring> name(env, newJavaString(env, "localdir"));
    if (!name) {
        env->ExceptionClear();
        return false;
    }
    jmethodID getProperty =
        jni::findStaticMethod(env, system.get(), "getProperty", "(Ljava/lang/String;)Ljava/lang/String;");
    if (getProperty == nullptr) {
        env->ExceptionClear();
        return false;
    }
    jni::LocalRef<jstring> valueRef(
        env, static_cast<jstring>(env->CallStaticObjectMethod(system.get(), getProperty, name.get())));
    if (env->ExceptionCheck()) {
        env->ExceptionClear();  // e.g. a security manager refusing the property: no directory
        return false;
    }
    if (valueRef.get() == nullptr) return false;
    try {
        // The decoded value must fit with the "/" still to come and the terminator.
        JniString value(env, valueRef.get());
        size_t bytes = std::strlen(value.cText());
        if (bytes + 2 > ScanContext::DB_PATH_SIZE) return false;
        std::memcpy(out, value.cText(), bytes + 1);
        return true;
    } catch (const JavaExceptionPending&) {
        env->ExceptionClear();
        return false;
    }
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
        jfieldID field = jni::findStaticField(env, cls, "stopScan", "Z");
        if (field == nullptr) {
            env->ExceptionClear();  // NoSuchFieldError: the job has no flag
            env->DeleteLocalRef(cls);
            Logger(GetLogPath(), "ERROR") << "Could not get Stop Scan status. \n";
            return true;
        }
        stopClass = cls;
        stopField = field;
    }
    return env->GetStaticBooleanField(stopClass, stopField) == JNI_TRUE;
}
