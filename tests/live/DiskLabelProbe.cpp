// Prints what the disk ioctls answer for "/dev/rdsk" entries, through the platform calls the
// providers make: one "info" line (DKIOCINFO) and one "slice" line per non-empty table slot
// (DKIOCGVTOC), or the error. scripts/test-live-disks compares them with sfdisk.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/unistd.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string path = std::string("/dev/rdsk/") + argv[i];
        int fd = sol::open(path.c_str(), SOL(O_RDONLY) | SOL(O_NDELAY));
        if (fd < 0) {
            std::printf("%s open %s\n", argv[i], std::strerror(errno));
            continue;
        }
        sol::dk_cinfo info{};
        if (sol::ioctl(fd, SOL(DKIOCINFO), &info) == 0) {
            std::printf("%s info %.16s %.16s %u %u %u\n", argv[i], info.dki_cname, info.dki_dname, info.dki_cnum,
                        info.dki_unit, info.dki_partition);
        }
        sol::vtoc label{};
        if (sol::ioctl(fd, SOL(DKIOCGVTOC), &label) != 0) {
            std::printf("%s vtoc %s\n", argv[i], std::strerror(errno));
        } else {
            for (int s = 0; s < SOL(V_NUMPAR); ++s) {
                const sol::partition& p = label.v_part[s];
                if (p.p_size == 0) continue;
                std::printf("%s slice %d %ld %ld %u %u\n", argv[i], s, p.p_start, p.p_size, p.p_tag, p.p_flag);
            }
        }
        sol::close(fd);
    }
    return 0;
}
