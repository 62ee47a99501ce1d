// getmntent: the Solaris reader of the mount table file (tab-separated fields).
#include <cstring>
#include <string>

#include "sol/mnttab.h"

namespace sol {

int getmntent(FILE* fp, mnttab* mp) {
    // Per-thread storage the returned strings point into, as on Solaris.
    thread_local char line[MNT_LINE_MAX + 2];
    if (fp == nullptr || mp == nullptr) return -1;
    if (std::fgets(line, sizeof line, fp) == nullptr) return -1;

    size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n') {
        line[--length] = '\0';
    } else if (length > MNT_LINE_MAX) {
        // Longer than a mount table line may be: skip the rest of it.
        int c;
        while ((c = std::fgetc(fp)) != EOF && c != '\n') {}
        return MNT_TOOLONG;
    }

    char* fields[5];
    int count = 0;
    char* p = line;
    while (true) {
        char* tab = std::strchr(p, '\t');
        if (count == 5) return MNT_TOOMANY;
        fields[count++] = p;
        if (tab == nullptr) break;
        *tab = '\0';
        p = tab + 1;
    }
    if (count < 5) return MNT_TOOFEW;
    for (char*& f : fields) {
        if (std::strcmp(f, "-") == 0) f = nullptr;
    }
    mp->mnt_special = fields[0];
    mp->mnt_mountp = fields[1];
    mp->mnt_fstype = fields[2];
    mp->mnt_mntopts = fields[3];
    mp->mnt_time = fields[4];
    return 0;
}

}  // namespace sol
