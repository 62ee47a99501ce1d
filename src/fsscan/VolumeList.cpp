#include "fsscan/VolumeList.h"

#include <cstring>

#include "sol/mnttab.h"
#include "sol/stdio.h"

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
