// The SCSI pass-through and the array interrogation through the platform calls, for the guest
// run of scripts/test-guest-scsi (and, against a simulated host, for its reference answer).
//   live_scsi_probe passthrough          one block of lines per SCSI whole-disk entry of
//                                        "/dev/rdsk": INQUIRY, VPD page 0, a refused command
//   live_scsi_probe interrogate ID1 ID2  the interrogation's report string
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"
#include "scsi/SolarisScsiInterrogatorC.h"
#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/unistd.h"
#include "sol/uscsi.h"

namespace {

struct Answer {
    int rc = 0, error = 0;
    sol::uscsi_cmd cmd{};
    std::vector<unsigned char> data = std::vector<unsigned char>(255);
    unsigned char sense[32] = {};
};

// One data-in command with a 255-byte buffer and a sense buffer.
Answer send(int fd, std::vector<unsigned char> cdb) {
    Answer a;
    a.cmd.uscsi_flags = SOL(USCSI_READ) | SOL(USCSI_RQENABLE);
    a.cmd.uscsi_timeout = 30;
    a.cmd.uscsi_cdb = reinterpret_cast<char*>(cdb.data());
    a.cmd.uscsi_cdblen = static_cast<unsigned char>(cdb.size());
    a.cmd.uscsi_bufaddr = reinterpret_cast<char*>(a.data.data());
    a.cmd.uscsi_buflen = a.data.size();
    a.cmd.uscsi_rqbuf = reinterpret_cast<char*>(a.sense);
    a.cmd.uscsi_rqlen = sizeof a.sense;
    a.rc = sol::ioctl(fd, SOL(USCSICMD), &a.cmd);
    a.error = a.rc == 0 ? 0 : errno;
    return a;
}

void print(const char* entry, const char* what, const Answer& a) {
    std::printf("%s %s rc=%d errno=%d status=%d resid=%zu", entry, what, a.rc, a.error, a.cmd.uscsi_status,
                a.cmd.uscsi_resid);
}

int passthrough() {
    devices::DeviceDirectory directory(devices::kRawDeviceDirectory);
    while (const sol::dirent* e = directory.next()) {
        std::string name = devices::entryName(*e);
        if (!devices::isWholeDiskEntry(name)) continue;
        devices::Device device(sol::open(directory.path(name).c_str(), SOL(O_RDONLY) | SOL(O_NDELAY)));
        sol::dk_cinfo info{};
        if (!device.valid() || sol::ioctl(device.get(), SOL(DKIOCINFO), &info) != 0 || info.dki_ctype != SOL(DKC_SCSI_CCS))
            continue;
        const char* entry = name.c_str();
        Answer inquiry = send(device.get(), {0x12, 0, 0, 0, 0xFF, 0});
        print(entry, "inquiry", inquiry);
        std::printf(" host=%.16s length=%d data=", info.dki_cname, inquiry.data[4] + 5);
        for (int i = 0; i < 36; ++i) std::printf("%02x", inquiry.data[i]);
        std::printf("\n");
        Answer pages = send(device.get(), {0x12, 1, 0, 0, 0xFF, 0});
        print(entry, "vpd00", pages);
        std::printf(" length=%d\n", (pages.data[2] << 8 | pages.data[3]) + 4);
        // An operation code no device implements: CHECK CONDITION with its sense data.
        Answer refused = send(device.get(), {0xE7, 0, 0, 0, 0, 0});
        print(entry, "refused", refused);
        const unsigned char* s = refused.sense;
        bool descriptor = (s[0] & 0x7F) >= 0x72;
        std::printf(" sense=%d key=%x asc=%02x ascq=%02x\n", static_cast<int>(sizeof refused.sense) - refused.cmd.uscsi_rqresid,
                    descriptor ? s[1] & 0x0F : s[2] & 0x0F, descriptor ? s[2] : s[12], descriptor ? s[3] : s[13]);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "passthrough") return passthrough();
    if (mode == "interrogate" && argc == 4) {
        std::vector<char> result(SCSI_RESULT_LENGTH, '\0');
        scsiInterrogatorC(result.data(), argv[2], argv[3]);
        std::printf("%s\n", result.data());
        return 0;
    }
    std::fprintf(stderr, "usage: live_scsi_probe passthrough | interrogate ID1 ID2\n");
    return 2;
}
