// The SCSI commands a capture sends to a LUN, and the guard that lets nothing else out: only
// INQUIRY (standard data, VPD pages 0x80 and 0xC0), RECEIVE DIAGNOSTIC RESULTS page 0xA0 and
// LOG SENSE page 0x3B, each reading data in, with a bounded buffer and a time-out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace capture {

// A command of the capture: its name in the simulated host's format and its CDB.
struct ScsiCommand {
    const char* name;  // inquiry, vpd_80, vpd_c0, receive_diagnostic, log_sense
    unsigned char cdb[10];
    size_t cdbLength;
    size_t allocation;  // the allocation length the CDB asks for, also the buffer's size
};

// The commands, in the order they are sent.
const std::vector<ScsiCommand>& captureCommands();

// True for a CDB the capture may send: one of the read-only commands above, nothing else
// (LOG SELECT, writes, mode selects, vendor commands and every other opcode are refused).
bool readOnlyCommand(const unsigned char* cdb, size_t length);

struct ScsiAnswer {
    bool sent = false;      // false when the guard refused the command (nothing reached the device)
    int result = -1;        // the ioctl's result
    int error = 0;          // errno when it failed
    int status = 0;         // SCSI status byte
    bool timedOut = false;  // the call lasted the whole time-out
    std::vector<unsigned char> data;   // the bytes transferred in
    std::vector<unsigned char> sense;  // the sense bytes returned
};

// Sends `command` on the open device `fd` through USCSICMD, read-only, with the time-out in
// seconds. A command the guard refuses is not sent.
ScsiAnswer sendReadOnly(int fd, const ScsiCommand& command, int timeoutSeconds);

// Adds what a command's data says to a simulated SCSI target `scsi`, in the target's terms:
// INQUIRY's vendor, product and revision, VPD 0x80's serial number, VPD 0xC0's controller
// identifier (bytes 112-127), the pages 0xA0 and 0x3B as they came. Reads only within `data`,
// whatever lengths it states.
void recordAnswer(nlohmann::json& scsi, const std::string& command, const std::vector<unsigned char>& data);

}  // namespace capture
