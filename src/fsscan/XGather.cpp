#include "fsscan/XGather.h"

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
#include "sol/unistd.h"

namespace {

// Copies `text` into `out` of `size` bytes, cut and terminated.
void copyText(char* out, size_t size, const char* text) { std::snprintf(out, size, "%s", text); }

}  // namespace

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
    if (!context->ResolveDBPath()) {
        time = std::time(nullptr);
        status = 2;
        report(jobId, directory, "", "Failed to get DBPath");
        return;
    }
    if (sol::gethostname(hostName, sizeof hostName) != 0) {
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
    copyText(databaseFile, sizeof databaseFile, (std::string(context->GetDBPath()) + namePart + "_" + hostName + ".db").c_str());

    Logger(*context, "DEBUG") << "About to scan.  Disk list : " << directory << "\n";

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
        if (status == 1 && context->IsStopScan()) {
            status = 2;
            copyText(message, sizeof message, "Scan stopped on request");
        }
        if (!closeDatabase()) {
            if (status == 1) copyText(message, sizeof message, "ERROR in closing DB File. DB File may be corrupt");
            status = 2;
        }
    }
    if (status == 2) Logger(*context, "ERROR") << message << "\n";
    time = std::time(nullptr);
    report(jobId, directory, databaseFile, message);
}

void XGather::startTestScan(const char* volumes) {
    // Without a database directory there is no log either.
    bool resolved = context->ResolveDBPath();
    Logger(*context, "DEBUG") << "Entering Test Scan  \n";
    Logger(*context, "DEBUG") << "List of volumes " << volumes << "\n";
    if (!resolved) {
        time = std::time(nullptr);
        reportTest(2, "", volumes);
        return;
    }
    copyText(databaseFile, sizeof databaseFile, (std::string(context->GetDBPath()) + "TEMP" + ".db").c_str());
    time = std::time(nullptr);
    if (CreateDB(databaseFile)) {
        closeDatabase();
        reportTest(1, databaseFile, volumes);
        Logger(*context, "DEBUG") << "EXITING TEST SCAN  \n";
    } else {
        reportTest(2, "", volumes);
    }
}

int contains(const char* text, const char* in) { return std::strstr(in, text) != nullptr ? 1 : 0; }

void appendTestScanVolumes(std::string& list) {
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
        if (local && contains("dev", entry.mnt_special)) {
            list += "  ";
            list += entry.mnt_mountp;
        }
    }
    sol::fclose(table);
}
