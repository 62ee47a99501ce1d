// The scan driver: one full scan (or test scan) per JNI call, from the checks of the
// directory string to the final status report, in the call's scan context.
#pragma once
#include <jni.h>

#include <string>

#include "fsscan/CommonGather.h"
#include "fsscan/ScanContext.h"

class CallbackClass;
class DirectoryCursor;

class XGather : public SolarisGather {
public:
    // Directory strings, terminator included.
    static constexpr int DIRECTORY_SIZE = 1024;
    // The database directory with its trailing "/", terminator included.
    static constexpr int DB_PATH_SIZE = ScanContext::DB_PATH_SIZE;
    // A database file name: directory, name part from the directory string, "_", host name
    // (read into a DIRECTORY_SIZE buffer), ".db".
    static constexpr int DB_FILE_SIZE = DB_PATH_SIZE + 2 * DIRECTORY_SIZE + 8;
    static constexpr int MESSAGE_SIZE = 1024;

    // The scan runs in `context` (owned by the caller), which outlives the object.
    explicit XGather(ScanContext& context) : SolarisGather(&context) {}

    void SetCallbackClass(CallbackClass* callbackClass) { callback = callbackClass; }

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

// The test scan's volumes: appends "  <mount point>" for every ufs or nfs mount whose special
// device names a "dev".
void appendTestScanVolumes(std::string& list);

// 1 when `text` occurs anywhere in `in`, else 0.
int contains(const char* text, const char* in);
