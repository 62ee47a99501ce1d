#include "capture/ScsiCommands.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "capture/CaptureLog.h"
#include "sol/ioctl.h"
#include "sol/uscsi.h"

namespace capture {

namespace {

constexpr unsigned char kInquiry = 0x12;
constexpr unsigned char kReceiveDiagnostic = 0x1C;
constexpr unsigned char kLogSense = 0x4D;
constexpr size_t kSenseLength = 64;

}  // namespace

const std::vector<ScsiCommand>& captureCommands() {
    // Allocation lengths: the most each command can return (a LOG SENSE or RECEIVE DIAGNOSTIC
    // page holds up to 65535 bytes), which bounds every buffer.
    static const std::vector<ScsiCommand> commands = {
        {"inquiry", {kInquiry, 0x00, 0x00, 0x00, 0xFF, 0x00}, 6, 0xFF},
        {"vpd_80", {kInquiry, 0x01, 0x80, 0x00, 0xFF, 0x00}, 6, 0xFF},
        {"vpd_c0", {kInquiry, 0x01, 0xC0, 0x00, 0xFF, 0x00}, 6, 0xFF},
        {"receive_diagnostic", {kReceiveDiagnostic, 0x01, 0xA0, 0xFF, 0xFF, 0x00}, 6, 0xFFFF},
        // Page control 01 (cumulative values), page 0x3B.
        {"log_sense", {kLogSense, 0x00, 0x7B, 0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0x00}, 10, 0xFFFF},
    };
    return commands;
}

bool readOnlyCommand(const unsigned char* cdb, size_t length) {
    if (cdb == nullptr) return false;
    switch (cdb[0]) {
    case kInquiry:
        // Standard data, or the VPD pages 0x80 and 0xC0.
        return length == 6 && ((cdb[1] == 0x00 && cdb[2] == 0x00) || (cdb[1] == 0x01 && (cdb[2] == 0x80 || cdb[2] == 0xC0)));
    case kReceiveDiagnostic:
        return length == 6 && cdb[1] == 0x01 && cdb[2] == 0xA0;
    case kLogSense:
        // No parameter pointer, no save bit (byte 1 zero), page 0x3B.
        return length == 10 && cdb[1] == 0x00 && (cdb[2] & 0x3F) == 0x3B;
    default:
        return false;
    }
}

ScsiAnswer sendReadOnly(int fd, const ScsiCommand& command, int timeoutSeconds) {
    ScsiAnswer answer;
    if (!readOnlyCommand(command.cdb, command.cdbLength)) {
        answer.error = EPERM;
        return answer;
    }
    unsigned char cdb[10];
    std::memcpy(cdb, command.cdb, command.cdbLength);
    std::vector<unsigned char> buffer(command.allocation, 0);
    unsigned char sense[kSenseLength] = {};

    sol::uscsi_cmd cmd;
    std::memset(&cmd, 0, sizeof cmd);
    cmd.uscsi_flags = SOL(USCSI_READ) | SOL(USCSI_SILENT) | SOL(USCSI_RQENABLE);
    cmd.uscsi_timeout = static_cast<short>(timeoutSeconds);
    cmd.uscsi_cdb = reinterpret_cast<char*>(cdb);
    cmd.uscsi_cdblen = static_cast<unsigned char>(command.cdbLength);
    cmd.uscsi_bufaddr = reinterpret_cast<char*>(buffer.data());
    cmd.uscsi_buflen = buffer.size();
    cmd.uscsi_rqbuf = reinterpret_cast<char*>(sense);
    cmd.uscsi_rqlen = sizeof sense;

    auto start = std::chrono::steady_clock::now();
    answer.sent = true;
    answer.result = sol::ioctl(fd, SOL(USCSICMD), &cmd);
    answer.error = answer.result == -1 ? errno : 0;
    auto elapsed = std::chrono::steady_clock::now() - start;
    answer.timedOut = answer.result == -1 && timeoutSeconds > 0 && elapsed >= std::chrono::seconds(timeoutSeconds);
    answer.status = cmd.uscsi_status;
    // Residuals are held within the buffer, whatever the driver reports.
    size_t resid = cmd.uscsi_resid <= buffer.size() ? cmd.uscsi_resid : buffer.size();
    if (answer.result == 0) answer.data.assign(buffer.begin(), buffer.end() - static_cast<long>(resid));
    if (answer.status == 0x02 && cmd.uscsi_rqstatus == 0) {
        size_t filled = sizeof sense - (cmd.uscsi_rqresid <= sizeof sense ? cmd.uscsi_rqresid : sizeof sense);
        answer.sense.assign(sense, sense + filled);
    }
    return answer;
}

void recordAnswer(nlohmann::json& scsi, const std::string& command, const std::vector<unsigned char>& d) {
    // The bytes [from, from + width) that the data holds.
    auto field = [&d](size_t from, size_t width) {
        size_t length = d.size() > from ? std::min(width, d.size() - from) : 0;
        return bytesField(d.data() + (length > 0 ? from : 0), length);
    };
    if (command == "inquiry") {
        if (d.size() > 8) scsi["vendor"] = field(8, 8);
        if (d.size() > 16) scsi["product"] = field(16, 16);
        if (d.size() > 32) scsi["revision"] = field(32, 4);
    } else if (command == "vpd_80") {
        if (d.size() >= 4) scsi["serial"] = field(4, d[3]);
    } else if (command == "vpd_c0") {
        if (d.size() > 112) scsi["vpd_c0_id"] = field(112, 16);
    } else if (command == "receive_diagnostic") {
        scsi["page_a0_hex"] = hexOf(d.data(), d.size());
    } else if (command == "log_sense") {
        scsi["page_3b_hex"] = hexOf(d.data(), d.size());
    }
}

}  // namespace capture
