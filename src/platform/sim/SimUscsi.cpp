// The SCSI pass-through of a simulated device: the disk's "scsi" target answers the commands
// an array LUN answers (INQUIRY, VPD pages 0x80 and 0xC0, RECEIVE DIAGNOSTIC RESULTS page 0xA0,
// LOG SENSE page 0x3B, LOG SELECT), each response cut to the CDB's allocation length and the
// record's buffer length; a command may fail, hang until its time-out or end with CHECK
// CONDITION and sense data. Every command received is journaled.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <cstring>
#include <string>
#include <vector>

#include "sim/SimDevices.h"
#include "sol/uscsi.h"

namespace sol::simulated {

namespace {

using sim::json;
using Bytes = std::vector<unsigned char>;

std::string hexOf(const unsigned char* data, size_t length) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(length * 2);
    for (size_t i = 0; i < length; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 0x0F];
    }
    return out;
}

Bytes fromHex(const std::string& hex) {
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return out;
}

// `text` blank-padded (or cut) to `width` bytes at `at`.
void putText(Bytes& page, size_t at, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; ++i) page[at + i] = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
}

void put16(Bytes& page, size_t at, unsigned value) {
    page[at] = static_cast<unsigned char>(value >> 8);
    page[at + 1] = static_cast<unsigned char>(value);
}

void put32(Bytes& page, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) page[at + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

void appendParameter(Bytes& page, const Bytes& code, const Bytes& value) {
    page.push_back(code.size() > 0 ? code[0] : 0);
    page.push_back(code.size() > 1 ? code[1] : 0);
    page.push_back(0x00);  // control byte
    size_t length = std::min<size_t>(value.size(), 255);
    page.push_back(static_cast<unsigned char>(length));
    page.insert(page.end(), value.begin(), value.begin() + static_cast<long>(length));
}

// Sets the page length field (bytes 2-3) from the page's size.
void finishPage(Bytes& page) { put16(page, 2, static_cast<unsigned>(std::min<size_t>(page.size() - 4, 0xFFFF))); }

Bytes standardInquiry(const json& scsi) {
    Bytes page(96, 0);
    page[2] = 0x04;   // version
    page[3] = 0x02;   // response data format
    page[4] = 96 - 5; // additional length
    putText(page, 8, sim::text(scsi, "vendor"), 8);
    putText(page, 16, sim::text(scsi, "product"), 16);
    putText(page, 32, sim::text(scsi, "revision"), 4);
    return page;
}

Bytes serialNumberPage(const json& scsi) {
    std::string serial = sim::text(scsi, "serial").substr(0, 251);
    Bytes page(4 + serial.size(), 0);
    page[1] = 0x80;
    page[3] = static_cast<unsigned char>(serial.size());
    std::memcpy(page.data() + 4, serial.data(), serial.size());
    return page;
}

Bytes controllerPage(const json& scsi) {
    Bytes page(128, 0);
    page[1] = 0xC0;
    page[3] = 128 - 4;
    putText(page, 112, sim::text(scsi, "vpd_c0_id"), 16);
    return page;
}

Bytes translationPage(const json& scsi) {
    if (scsi.contains("page_a0_hex") && scsi["page_a0_hex"].is_string()) return fromHex(scsi["page_a0_hex"]);
    Bytes page(12, 0);
    page[0] = 0xA0;
    const json& entries = scsi.contains("translation") ? scsi["translation"] : json();
    if (entries.is_array()) {
        for (const json& entry : entries) {
            if (entry.contains("raw") && entry["raw"].is_string()) {
                Bytes raw = fromHex(entry["raw"]);
                raw.resize(4, 0);
                page.insert(page.end(), raw.begin(), raw.end());
            } else {
                page.push_back(sim::number<unsigned char>(entry, "channel"));
                page.push_back(sim::number<unsigned char>(entry, "id"));
                page.push_back(sim::number<unsigned char>(entry, "tray"));
                page.push_back(sim::number<unsigned char>(entry, "slot"));
            }
        }
    }
    finishPage(page);
    return page;
}

Bytes statisticsPage(const json& scsi) {
    if (scsi.contains("page_3b_hex") && scsi["page_3b_hex"].is_string()) return fromHex(scsi["page_3b_hex"]);
    Bytes page(4, 0);
    page[0] = 0x3B;
    const json& log = scsi.contains("log_3b") ? scsi["log_3b"] : json();
    auto items = [&](const char* key) -> const json& {
        static const json none = json::array();
        return log.is_object() && log.contains(key) && log[key].is_array() ? log[key] : none;
    };
    for (const json& item : items("controller")) {
        Bytes code = fromHex(sim::text(item, "code"));
        Bytes value;
        if (item.contains("counts") && item["counts"].is_array()) {
            value.assign(128, 0);
            const json& counts = item["counts"];
            for (size_t i = 0; i < counts.size() && i < 32; ++i) put16(value, 4 * i + 2, counts[i].get<unsigned>());
        } else if (item.contains("text") && !item["text"].is_null()) {
            value.assign(10, 0);
            putText(value, 0, sim::bytes(item["text"]), 10);
        } else if (item.contains("value") && !item["value"].is_null()) {
            value.assign(4, 0);
            put32(value, 0, item["value"].get<uint32_t>());
        }
        appendParameter(page, code, value);
    }
    for (const json& drive : items("drives")) {
        Bytes code{static_cast<unsigned char>(0xC0 | (sim::number<unsigned>(drive, "channel") & 0x0F)),
                   sim::number<unsigned char>(drive, "id")};
        Bytes value(36, 0);
        if (drive.contains("counters") && drive["counters"].is_array()) {
            const json& counters = drive["counters"];
            for (size_t i = 0; i < counters.size() && i < 9; ++i) put32(value, 4 * i, counters[i].get<uint32_t>());
        }
        appendParameter(page, code, value);
    }
    for (const json& param : items("params")) {
        appendParameter(page, fromHex(sim::text(param, "code")), fromHex(sim::text(param, "hex")));
    }
    finishPage(page);
    return page;
}

bool fails(const json& scsi, const char* command) {
    return scsi.contains("fail") && sim::listed(scsi["fail"], command);
}

// A command listed in "hangs" never completes: the call returns when the command's time-out
// (uscsi_timeout seconds; none given counts as one second) has passed, failing with EIO and
// nothing transferred, as a timed-out command does.
int hangUntilTimeout(uscsi_cmd* cmd, size_t buflen) {
    int seconds = cmd->uscsi_timeout > 0 ? cmd->uscsi_timeout : 1;
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    cmd->uscsi_status = 0;
    cmd->uscsi_resid = buflen;
    errno = EIO;
    return -1;
}

// A command answered with CHECK CONDITION and the sense bytes given in "sense": EIO, status
// 0x02, the sense data in the request-sense buffer when the caller enabled it.
int checkCondition(uscsi_cmd* cmd, size_t buflen, const Bytes& sense) {
    cmd->uscsi_status = 0x02;
    cmd->uscsi_resid = buflen;
    if ((cmd->uscsi_flags & USCSI_RQENABLE) != 0 && cmd->uscsi_rqbuf != nullptr) {
        size_t length = std::min<size_t>(sense.size(), cmd->uscsi_rqlen);
        if (length > 0) std::memcpy(cmd->uscsi_rqbuf, sense.data(), length);
        cmd->uscsi_rqstatus = 0;
        cmd->uscsi_rqresid = static_cast<uchar_t>(cmd->uscsi_rqlen - length);
    }
    errno = EIO;
    return -1;
}

}  // namespace

int uscsiIoctl(const sim::OpenDevice& dev, int request, void* arg) {
    if (request != USCSICMD) {
        errno = ENOTTY;
        return -1;
    }
    auto* cmd = static_cast<sol::uscsi_cmd*>(arg);
    if (cmd == nullptr) {
        errno = EFAULT;
        return -1;
    }
    const json* disk = dev.disk;
    const json& scsi = disk != nullptr && disk->contains("scsi") ? (*disk)["scsi"] : json();
    if (!scsi.is_object()) {
        errno = ENOTTY;
        return -1;
    }
    if (cmd->uscsi_cdb == nullptr || cmd->uscsi_cdblen < 6) {
        errno = EINVAL;
        return -1;
    }
    const auto* cdb = reinterpret_cast<const unsigned char*>(cmd->uscsi_cdb);
    const size_t cdbLength = cmd->uscsi_cdblen;
    const bool dataIn = (cmd->uscsi_flags & USCSI_READ) != 0;
    const size_t buflen = cmd->uscsi_bufaddr == nullptr ? 0 : cmd->uscsi_buflen;

    std::string line = "USCSI " + dev.path + " " + hexOf(cdb, cdbLength);
    const unsigned char opcode = cdb[0];
    if (opcode == 0x4C && cdbLength >= 10) {  // LOG SELECT: the parameter list goes out
        size_t listLength = std::min<size_t>((size_t{cdb[7]} << 8) | cdb[8], dataIn ? 0 : buflen);
        if (listLength > 0) line += " " + hexOf(reinterpret_cast<const unsigned char*>(cmd->uscsi_bufaddr), listLength);
        dev.host->journal(line);
        if (dataIn || fails(scsi, "log_select")) {
            errno = dataIn ? EINVAL : EIO;
            return -1;
        }
        cmd->uscsi_status = 0;
        cmd->uscsi_resid = buflen - listLength;
        return 0;
    }
    dev.host->journal(line);

    // The data-in commands: which page, under which name in `fail`, and the allocation length.
    const char* name = nullptr;
    size_t allocation = 0;
    Bytes response;
    if (opcode == 0x12 && cdbLength == 6) {
        allocation = (size_t{cdb[3]} << 8) | cdb[4];
        bool evpd = (cdb[1] & 0x01) != 0;
        if (!evpd && cdb[2] == 0) {
            name = "inquiry";
            response = standardInquiry(scsi);
        } else if (evpd && cdb[2] == 0x80) {
            name = "vpd_80";
            response = serialNumberPage(scsi);
        } else if (evpd && cdb[2] == 0xC0) {
            name = "vpd_c0";
            response = controllerPage(scsi);
        }
    } else if (opcode == 0x1C && cdbLength == 6 && (cdb[1] & 0x01) != 0 && cdb[2] == 0xA0) {
        name = "receive_diagnostic";
        allocation = (size_t{cdb[3]} << 8) | cdb[4];
        response = translationPage(scsi);
    } else if (opcode == 0x4D && cdbLength == 10 && (cdb[2] & 0x3F) == 0x3B) {
        name = "log_sense";
        allocation = (size_t{cdb[7]} << 8) | cdb[8];
        response = statisticsPage(scsi);
    }
    if (name == nullptr || !dataIn) {
        errno = EINVAL;
        return -1;
    }
    if (fails(scsi, name)) {
        errno = EIO;
        return -1;
    }
    if (scsi.contains("hangs") && sim::listed(scsi["hangs"], name)) return hangUntilTimeout(cmd, buflen);
    if (scsi.contains("sense") && scsi["sense"].is_object() && scsi["sense"].contains(name)) {
        return checkCondition(cmd, buflen, fromHex(scsi["sense"][name].get<std::string>()));
    }
    size_t length = std::min({response.size(), allocation, buflen});
    if (length > 0) std::memcpy(cmd->uscsi_bufaddr, response.data(), length);
    cmd->uscsi_status = 0;
    cmd->uscsi_resid = buflen - length;
    return 0;
}

}  // namespace sol::simulated
