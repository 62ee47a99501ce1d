// What one scan call works with: the calling thread's JNI environment and job object, the job
// class's stop flag, and the database directory with the scan log inside it. The entry point
// makes one for its call and passes it down; nothing of it outlives the call, so scans on
// other threads each keep their own.
#pragma once
#include <jni.h>

#include <memory>

class ScanContext {
public:
    // The database directory with its trailing "/", terminator included.
    static constexpr int DB_PATH_SIZE = 516;
    // The log file's name inside the database directory.
    static constexpr const char* LOG_FILE = "XGather.log";

    // Without a Java side (both null) the scan never stops early and logs nothing.
    ScanContext(JNIEnv* env, jobject job);
    ~ScanContext();
    ScanContext(const ScanContext&) = delete;
    ScanContext& operator=(const ScanContext&) = delete;

    JNIEnv* env() const { return env_; }
    jobject job() const { return job_; }

    // Reads the directory named by the system property "localdir", ending with "/", as the
    // database directory (and the log's). False, with both left empty, when the property is
    // missing, names no directory or does not fit. A context without a Java side keeps the
    // directory given to SetDBPath.
    bool ResolveDBPath();
    // Makes `directory` (an existing one) the database directory; false, with both paths
    // left empty, when it names no directory or does not fit.
    bool SetDBPath(const char* directory);
    // The database directory; empty until one was resolved or set.
    const char* GetDBPath() const { return dbPath; }
    // The log file's path; empty when there is no database directory or it does not fit.
    const char* GetLogPath() const { return logPath; }

    // The job class's static "stopScan" flag; a flag that cannot be read counts as a stop.
    // The field is looked up by the first read and used until the call returns (the class
    // reference belongs to the call's frame), so later reads make no reference.
    bool IsStopScan();

private:
    JNIEnv* env_;
    jobject job_;
    struct StopFlag;  // the holder of the job class's flag, made by the first read
    std::unique_ptr<StopFlag> stopFlag_;
    char dbPath[DB_PATH_SIZE] = "";
    char logPath[DB_PATH_SIZE + 32] = "";
};
