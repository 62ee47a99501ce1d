// The mount table: any file content read line by line as the Solaris reader does, and Linux
// mount fields of any bytes written in the Solaris form, which must read back as the same five
// fields.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "linux/LinuxFiles.h"
#include "sol/mnttab.h"

namespace {

// Every entry of the table; a malformed line is passed over.
void readAll(std::string text) {
    if (text.empty()) return;
    FILE* fp = ::fmemopen(&text[0], text.size(), "r");
    if (fp == nullptr) return;
    sol::mnttab entry;
    int result;
    while ((result = sol::getmntent(fp, &entry)) != -1) {
        if (result < 0 || result > sol::MNT_TOOFEW) __builtin_trap();
        if (result != 0) continue;
        for (const char* field : {entry.mnt_special, entry.mnt_mountp, entry.mnt_fstype, entry.mnt_mntopts, entry.mnt_time}) {
            if (field != nullptr && (std::strchr(field, '\t') != nullptr || std::strchr(field, '\n') != nullptr)) {
                __builtin_trap();
            }
        }
    }
    std::fclose(fp);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readAll(std::string(reinterpret_cast<const char*>(data), size));

    // Fields as the Linux table's reader hands them over: terminated text of any other bytes.
    FuzzedDataProvider in(data, size);
    std::string fields[4];
    for (std::string& f : fields) {
        f = in.ConsumeRandomLengthString(300);
        f.erase(std::remove(f.begin(), f.end(), '\0'), f.end());
    }
    std::string written[4];
    std::string line;
    for (int i = 0; i < 4; ++i) {
        written[i] = linuxhost::mnttabField(fields[i].c_str());
        line += written[i] + '\t';
    }
    line += "0\n";
    if (line.size() > static_cast<size_t>(sol::MNT_LINE_MAX)) return 0;  // too long for any reader
    FILE* fp = ::fmemopen(&line[0], line.size(), "r");
    if (fp == nullptr) return 0;
    sol::mnttab entry;
    if (sol::getmntent(fp, &entry) != 0) __builtin_trap();
    const char* read[4] = {entry.mnt_special, entry.mnt_mountp, entry.mnt_fstype, entry.mnt_mntopts};
    for (int i = 0; i < 4; ++i) {
        if (written[i] == "-" ? read[i] != nullptr : (read[i] == nullptr || written[i] != read[i])) __builtin_trap();
    }
    std::fclose(fp);
    return 0;
}
