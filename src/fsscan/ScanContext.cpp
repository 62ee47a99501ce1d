#include "fsscan/ScanContext.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "fsscan/ErrnoKeeper.h"
#include "fsscan/Logger.h"
#include "jni/ClassHolder.h"
#include "jni/Errors.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "jni/LocalRef.h"

namespace {

// The scan job's class, as the job object gives it, with its stop flag.
struct ScanJobFlag {
    JAVA_CLASS_OF_OBJECT("scan job", JAVA_STATIC_BOOLEAN(stopScan))
};

JAVA_HOLDER(JavaSystem, "java/lang/System",
    JAVA_STATIC_METHOD(getProperty, "(Ljava/lang/String;)Ljava/lang/String;"))

// The "localdir" property's value into `out` (DB_PATH_SIZE bytes), with room left for a "/".
bool readLocaldir(JNIEnv* env, char* out) {
    out[0] = '\0';
    if (env == nullptr || env->ExceptionCheck()) return false;
    // Any Java exception on the way (a security manager refusing the property, say) means no
    // directory; it is cleared.
    try {
        JavaSystem::Static system(env);
        jni::LocalRef<jstring> name(env, jni::checked(env, jni::newJavaString(env, "localdir")));
        jni::LocalRef<jstring> valueRef(env, system.callStaticObject<jstring>(system.meth_getProperty(), name.get()));
        if (valueRef.get() == nullptr) return false;
        // The decoded value must fit with the "/" still to come and the terminator.
        jni::JniString value(env, valueRef.get());
        size_t bytes = std::strlen(value.cText());
        if (bytes + 2 > ScanContext::DB_PATH_SIZE) return false;
        std::memcpy(out, value.cText(), bytes + 1);
        return true;
    } catch (const jni::JavaExceptionPending&) {
        env->ExceptionClear();
        return false;
    }
}

}  // namespace

struct ScanContext::StopFlag : ScanJobFlag::Static {
    using ScanJobFlag::Static::Static;
};

ScanContext::ScanContext(JNIEnv* env, jobject job) : env_(env), job_(job) {}

ScanContext::~ScanContext() = default;

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
    try {
        if (!stopFlag_) {
            auto flag = std::make_unique<StopFlag>(env, job_);
            flag->field_stopScan();
            stopFlag_ = std::move(flag);
        }
        return stopFlag_->is_stopScan();
    } catch (const jni::JavaExceptionPending&) {
        env->ExceptionClear();  // NoSuchFieldError: the job has no flag
        Logger(GetLogPath(), "ERROR") << "Could not get Stop Scan status. \n";
        return true;
    }
}
