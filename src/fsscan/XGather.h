// The scan driver: one full scan (or test scan) per JNI call, in the call's scan context, in
// named steps: check the directory string, resolve the database file, walk, report. A full
// scan that gets past the first two steps reports twice: status 0 as it starts, then 1, or 2
// with the message of its first failure (ScanStatus).
#pragma once
#include "fsscan/ScanContext.h"
#include "fsscan/ScanStatus.h"
#include "fsscan/SolarisGather.h"

class CallbackClass;

class XGather : public SolarisGather {
public:
    // Directory strings, terminator included.
    static constexpr int DIRECTORY_SIZE = 1024;
    // The database directory with its trailing "/", terminator included.
    static constexpr int DB_PATH_SIZE = ScanContext::DB_PATH_SIZE;
    // A database file name: directory, name part from the directory string, "_", host name
    // (read into a DIRECTORY_SIZE buffer), ".db".
    static constexpr int DB_FILE_SIZE = DB_PATH_SIZE + 2 * DIRECTORY_SIZE + 8;

    // The scan runs in `context` (owned by the caller), which outlives the object.
    explicit XGather(ScanContext& context) : SolarisGather(&context) {}

    void SetCallbackClass(CallbackClass* callbackClass) { callback = callbackClass; }
    CallbackClass* GetCallbackClass() const { return callback; }

    // A full scan of `directory` into a new database file, with its status reports.
    void ScanDrives(const char* directory, int jobId);
    // Creates and closes a database in the database directory and reports `volumes`.
    void startTestScan(const char* volumes);

private:
    // The directory string is there and fits; else its failure is reported.
    bool checkDirectory(const char* directory, int jobId);
    // The database directory and the host name give the database file; else the failure is reported.
    bool resolveDatabaseFile(const char* directory, int jobId);
    // The walk of `directory` into a new database, from the root cursor to the database's close.
    void walk(const char* directory);
    // The root directory opens; else the scan fails with the open's error.
    bool rootOpens(const char* directory);
    // Closes the database; false when the close failed.
    bool closeDatabase();
    // A status report through the callback, when there is one; the time is taken first.
    void report(int jobId, const char* directory, const char* dbFile, const char* message);
    void reportTest(int testStatus, const char* dbFile, const char* volumes);

    ScanStatus status;
    long time = 0;
    char databaseFile[DB_FILE_SIZE] = "";
    CallbackClass* callback = nullptr;
};
