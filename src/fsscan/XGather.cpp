#include "fsscan/XGather.h"

#include <db_cxx.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "fsscan/CallbackClass.h"
#include "fsscan/DirectoryCursor.h"
#include "fsscan/DirectoryStream.h"
#include "fsscan/Logger.h"
#include "fsscan/RecordSink.h"
#include "fsscan/ScanPipeline.h"
#include "sol/unistd.h"

void XGather::ScanDrives(const char* directory, int jobId) {
    time = std::time(nullptr);
    if (!checkDirectory(directory, jobId) || !resolveDatabaseFile(directory, jobId)) return;
    status.starting();
    report(jobId, directory, "", "");
    Logger(context->GetLogPath(), "DEBUG") << "About to scan.  Disk list : " << directory << "\n";
    status.scanning();
    walk(directory);
    if (status.failed()) Logger(context->GetLogPath(), "ERROR") << status.message() << "\n";
    report(jobId, directory, databaseFile, status.message());
}

bool XGather::checkDirectory(const char* directory, int jobId) {
    const char* failure = nullptr;
    if (directory == nullptr || directory[0] == '\0') {
        directory = "";
        failure = "No Drives to scan!!!";
    } else if (std::strlen(directory) >= DIRECTORY_SIZE) {
        failure = "Drives to scan: String length too long";
    }
    if (failure == nullptr) return true;
    status.fail(failure);
    report(jobId, directory, "", failure);
    return false;
}

bool XGather::resolveDatabaseFile(const char* directory, int jobId) {
    char hostName[DIRECTORY_SIZE];
    const char* failure = nullptr;
    if (!context->ResolveDBPath()) {
        failure = "Failed to get DBPath";
    } else if (sol::gethostname(hostName, sizeof hostName) != 0) {
        failure = "Could not get the hostname!!!";
    }
    if (failure != nullptr) {
        status.fail(failure);
        report(jobId, directory, "", failure);
        return false;
    }
    hostName[sizeof hostName - 1] = '\0';
    // "%s%s_%s.db": the database directory, the directory string with "_" for every "/", the
    // host name. The buffer holds the longest of each.
    std::string namePart(directory);
    for (char& c : namePart) {
        if (c == '/') c = '_';
    }
    std::snprintf(databaseFile, sizeof databaseFile, "%s%s_%s.db", context->GetDBPath(), namePart.c_str(), hostName);
    return true;
}

void XGather::walk(const char* directory) {
    ScanPipeline pipeline(scanThreads(), 0, mostScanThreads());
    std::unique_ptr<DirectoryCursor> root(pipeline.newRootCursor());
    int error = root->initialize(directory);
    if (error != 0) return status.failWithError(error);
    if (!CreateDB(databaseFile)) return status.fail("Could not create DB");
    if (rootOpens(directory)) {
        // Only the walk's own errors count: creating the database leaves errno as its internal
        // calls set it (an old file that was not there, for one).
        errno = 0;
        recordCounter = 0;
        std::unique_ptr<RecordSink> sink = pipeline.newSink(*database);
        try {
            WalkTree(root.release(), *sink);
        } catch (...) {
            status.failWithWalkError();
        }
        if (errno != 0) status.failWithError(errno);
        if (!status.failed() && context->IsStopScan()) status.fail("Scan stopped on request");
    }
    if (!closeDatabase()) status.fail("ERROR in closing DB File. DB File may be corrupt");
}

bool XGather::rootOpens(const char* directory) {
    // A root that cannot be opened (missing, not a directory, unreadable) fails the scan; below
    // it, such a directory reads as empty.
    std::unique_ptr<DirectoryStream> probe(DirectoryStream::open(directory));
    if (!probe) status.failWithError(errno);
    return probe != nullptr;
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
    time = std::time(nullptr);
    if (callback != nullptr) callback->Send(jobId, directory, status.value(), time, dbFile, message);
}

void XGather::reportTest(int testStatus, const char* dbFile, const char* volumes) {
    time = std::time(nullptr);
    if (callback != nullptr) callback->SendForTestScan(testStatus, dbFile, volumes);
}

void XGather::startTestScan(const char* volumes) {
    // Without a database directory there is no log either.
    bool resolved = context->ResolveDBPath();
    Logger(context->GetLogPath(), "DEBUG") << "Entering Test Scan  \n";
    Logger(context->GetLogPath(), "DEBUG") << "List of volumes " << volumes << "\n";
    if (!resolved) return reportTest(2, "", volumes);
    std::snprintf(databaseFile, sizeof databaseFile, "%s%s.db", context->GetDBPath(), "TEMP");
    if (CreateDB(databaseFile)) {
        closeDatabase();
        reportTest(1, databaseFile, volumes);
        Logger(context->GetLogPath(), "DEBUG") << "EXITING TEST SCAN  \n";
    } else {
        reportTest(2, "", volumes);
    }
}
