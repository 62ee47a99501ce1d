#include "fsscan/XGather.h"

#include <dirent.h>
#include <unistd.h>

#include <db_cxx.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "fsscan/CallbackClass.h"
#include "fsscan/Logger.h"
#include "fsscan/SolarisDirectoryCursor.h"
#include "sol/mnttab.h"
#include "sol/stdio.h"

JNIEnv* jniEnv = nullptr;
jobject jniObj = nullptr;

namespace {

const char* const LOG_FILE = "XGather.log";

// Copies `text` into `out` of `size` bytes, cut and terminated.
void copyText(char* out, size_t size, const char* text) { std::snprintf(out, size, "%s", text); }

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

}  // namespace

bool XGather::GetDBPath(char* out) {
    JNIEnv* env = jniEnv;
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
    if (bytes + 2 > DB_PATH_SIZE) return false;
    env->GetStringUTFRegion(value, 0, env->GetStringLength(value), out);
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        out[0] = '\0';
        return false;
    }
    out[bytes] = '\0';
    DIR* directory = ::opendir(out);
    if (directory == nullptr) return false;
    if (bytes == 0 || out[bytes - 1] != '/') {
        out[bytes] = '/';
        out[bytes + 1] = '\0';
    }
    ::closedir(directory);
    return true;
}

namespace {

// The job class and its flag, looked up by the first read of a JNI call and used until the
// call returns (the class reference belongs to the call's frame), so the read after every
// entry of the walk is a single field access that makes no reference.
jclass stopClass = nullptr;
jfieldID stopField = nullptr;

}  // namespace

void ForgetStopScanLookup() {
    stopClass = nullptr;
    stopField = nullptr;
}

bool XGather::IsStopScan() {
    JNIEnv* env = jniEnv;
    if (env == nullptr || jniObj == nullptr) return false;
    ErrnoKeeper keep;
    if (env->ExceptionCheck()) return true;  // a Java failure of the scan's own ends it
    if (stopField == nullptr) {
        jclass cls = env->GetObjectClass(jniObj);
        jfieldID field = env->GetStaticFieldID(cls, "stopScan", "Z");
        if (field == nullptr) {
            env->ExceptionClear();  // NoSuchFieldError: the job has no flag
            env->DeleteLocalRef(cls);
            Logger("ERROR", LOG_FILE) << "Could not get Stop Scan status. \n";
            return true;
        }
        stopClass = cls;
        stopField = field;
    }
    return env->GetStaticBooleanField(stopClass, stopField) == JNI_TRUE;
}

bool XGather::closeDatabase() {
    if (!database) return true;
    int result;
    try {
        result = database->close(0);
    } catch (const DbException& e) {
        result = e.get_errno() != 0 ? e.get_errno() : -1;
    }
    database.reset();
    return result == 0;
}

void XGather::report(int jobId, const char* directory, const char* dbFile, const char* message) {
    if (callback != nullptr) callback->Send(jobId, directory, status, time, dbFile, message);
}

void XGather::reportTest(int testStatus, const char* dbFile, const char* volumes) {
    if (callback != nullptr) callback->SendForTestScan(testStatus, dbFile, volumes);
}

void XGather::ScanDrives(const char* directory, int jobId, int) {
    char message[MESSAGE_SIZE] = "";
    char dbPath[DB_PATH_SIZE];
    char hostName[DIRECTORY_SIZE];

    time = std::time(nullptr);
    if (directory == nullptr || directory[0] == '\0') {
        status = 2;
        report(jobId, "", "", "No Drives to scan!!!");
        return;
    }
    if (std::strlen(directory) >= DIRECTORY_SIZE) {
        status = 2;
        report(jobId, directory, "", "Drives to scan: String length too long");
        return;
    }
    if (!GetDBPath(dbPath)) {
        time = std::time(nullptr);
        status = 2;
        report(jobId, directory, "", "Failed to get DBPath");
        return;
    }
    if (::gethostname(hostName, sizeof hostName) != 0) {
        status = 2;
        report(jobId, directory, "", "Could not get the hostname!!!");
        return;
    }
    hostName[sizeof hostName - 1] = '\0';

    status = 0;
    report(jobId, directory, "", "");

    char namePart[DIRECTORY_SIZE];
    copyText(namePart, sizeof namePart, directory);
    for (char* p = namePart; *p != '\0'; ++p) {
        if (*p == '/') *p = '_';
    }
    // "%s%s_%s.db"; the buffer holds the longest directory, name part and host name.
    copyText(databaseFile, sizeof databaseFile, (std::string(dbPath) + namePart + "_" + hostName + ".db").c_str());

    Logger("DEBUG", LOG_FILE) << "About to scan.  Disk list : " << directory << "\n";

    status = 1;
    message[0] = '\0';
    cursor = new SolarisDirectoryCursor;
    int error = cursor->initialize(directory);
    if (error != 0) {
        delete cursor;
        cursor = nullptr;
        getErrorMessage(error, message);
        status = 2;
    } else if (!CreateDB(databaseFile)) {
        delete cursor;
        cursor = nullptr;
        status = 2;
        copyText(message, sizeof message, "Could not create DB");
    } else {
        // Only the walk's own errors count: creating the database leaves errno as its internal
        // calls set it (an old file that was not there, for one).
        errno = 0;
        recordCounter = 0;
        DirectoryCursor* root = cursor;
        cursor = nullptr;  // the walk owns it from here
        try {
            GetDirectoryInfo(root, 0, 0);
        } catch (const std::exception& e) {  // DbException, or memory running out
            copyText(message, sizeof message, e.what());
            status = 2;
            errno = 0;
        } catch (int) {
            // the error is in errno
        }
        if (errno != 0) {
            getErrorMessage(errno, message);
            status = 2;
        }
        if (status == 1 && IsStopScan()) {
            status = 2;
            copyText(message, sizeof message, "Scan stopped on request");
        }
        if (!closeDatabase()) {
            if (status == 1) copyText(message, sizeof message, "ERROR in closing DB File. DB File may be corrupt");
            status = 2;
        }
    }
    if (status == 2) Logger("ERROR", LOG_FILE) << message << "\n";
    time = std::time(nullptr);
    report(jobId, directory, databaseFile, message);
}

void XGather::startTestScan(const char* volumes) {
    Logger("DEBUG", LOG_FILE) << "Entering Test Scan  \n";
    Logger("DEBUG", LOG_FILE) << "List of volumes " << volumes << "\n";
    char dbPath[DB_PATH_SIZE];
    if (!GetDBPath(dbPath)) {
        time = std::time(nullptr);
        reportTest(2, "", volumes);
        return;
    }
    copyText(databaseFile, sizeof databaseFile, (std::string(dbPath) + "TEMP" + ".db").c_str());
    time = std::time(nullptr);
    if (CreateDB(databaseFile)) {
        closeDatabase();
        reportTest(1, databaseFile, volumes);
        Logger("DEBUG", LOG_FILE) << "EXITING TEST SCAN  \n";
    } else {
        reportTest(2, "", volumes);
    }
}

int startsWith(const char* text, const char* in) { return std::strstr(in, text) != nullptr ? 1 : 0; }

void ListLogicalDisks(std::string& list) {
    FILE* table = sol::fopen("/etc/mnttab", "r");
    if (table == nullptr) return;
    sol::mnttab entry;
    int result;
    // A malformed line (a positive code) is passed over; -1 is the end of the table.
    while ((result = sol::getmntent(table, &entry)) != -1) {
        if (result != 0 || entry.mnt_fstype == nullptr || entry.mnt_special == nullptr || entry.mnt_mountp == nullptr) {
            continue;
        }
        bool local = std::strcmp(entry.mnt_fstype, "ufs") == 0 || std::strcmp(entry.mnt_fstype, "nfs") == 0;
        if (local && startsWith("dev", entry.mnt_special)) {
            list += "  ";
            list += entry.mnt_mountp;
        }
    }
    sol::fclose(table);
}
