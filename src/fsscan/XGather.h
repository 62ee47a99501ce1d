// The scan driver: one full scan (or test scan) per JNI call, from the checks of the
// directory string to the final status report.
#pragma once
#include <jni.h>

#include <string>

#include "fsscan/CommonGather.h"

class CallbackClass;
class DirectoryCursor;

// The JNI context of the current scan call (environment and job object), kept until the next
// call; the database directory and the stop request are read through it.
extern JNIEnv* jniEnv;
extern jobject jniObj;

// Drops what the stop-flag read kept from the previous JNI call; each entry point calls it
// when it stores the new context.
void ForgetStopScanLookup();

class XGather : public SolarisGather {
public:
    // Directory strings, terminator included.
    static constexpr int DIRECTORY_SIZE = 1024;
    // The database directory with its trailing "/", terminator included.
    static constexpr int DB_PATH_SIZE = 516;
    // A database file name: directory, name part from the directory string, "_", host name
    // (read into a DIRECTORY_SIZE buffer), ".db".
    static constexpr int DB_FILE_SIZE = DB_PATH_SIZE + 2 * DIRECTORY_SIZE + 8;
    static constexpr int MESSAGE_SIZE = 1024;

    void SetCallbackClass(CallbackClass* callbackClass) { callback = callbackClass; }
    CallbackClass* GetCallbackClass() { return callback; }

    // The directory named by the system property "localdir", ending with "/", into `out`
    // (DB_PATH_SIZE bytes). False when the property is missing, names no directory or does
    // not fit.
    static bool GetDBPath(char* out);
    // The job class's static "stopScan" flag; a flag that cannot be read counts as a stop.
    static bool IsStopScan();

    // A full scan of `directory` into a new database file, with its status reports.
    void ScanDrives(const char* directory, int jobId, int unused);
    // Creates and closes a database in the database directory and reports `volumes`.
    void startTestScan(const char* volumes);

private:
    // A status report through the callback, when there is one.
    void report(int jobId, const char* directory, const char* dbFile, const char* message);
    void reportTest(int testStatus, const char* dbFile, const char* volumes);
    // Closes the database; false when the close failed.
    bool closeDatabase();

    int status = 0;
    long time = 0;
    char databaseFile[DB_FILE_SIZE] = "";
    DirectoryCursor* cursor = nullptr;
    CallbackClass* callback = nullptr;
};

// Appends "  <mount point>" for every ufs or nfs mount whose special device names a "dev".
void ListLogicalDisks(std::string& list);

// 1 when `text` occurs anywhere in `in`, else 0.
int startsWith(const char* text, const char* in);
