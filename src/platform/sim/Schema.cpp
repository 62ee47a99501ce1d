// The format of a simulated host description: every section and key it may hold, with the kind
// of each value. Unknown keys, values of the wrong kind, numbers out of their field's range and
// null where the host needs a value are reported by their path.
#include <cctype>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "sim/SimHost.h"

namespace sim {
namespace {

struct Schema {
    enum Kind { Number, Text, Bytes, Boolean, Wwn, HexString, Object, Array };
    Kind kind;
    std::map<std::string, Schema> fields;  // Object
    std::shared_ptr<Schema> element;       // Array
    long double low = 0, high = 0;         // Number: the range of the field it fills
    bool nullable = true;                  // null stands for "absent" (an object member only)
};

// Numbers by the C type they fill: a value outside its range is refused rather than converted.
template <class T>
Schema num() {
    return {Schema::Number, {}, nullptr, static_cast<long double>(std::numeric_limits<T>::min()),
            static_cast<long double>(std::numeric_limits<T>::max())};
}
Schema u8() { return num<uint8_t>(); }
Schema u16() { return num<uint16_t>(); }
Schema u32() { return num<uint32_t>(); }
Schema u64() { return num<uint64_t>(); }
Schema i32() { return num<int32_t>(); }
Schema i64() { return num<int64_t>(); }
Schema str() { return {Schema::Text, {}, nullptr}; }
Schema byt() { return {Schema::Bytes, {}, nullptr}; }
Schema flag() { return {Schema::Boolean, {}, nullptr}; }
Schema wwn() { return {Schema::Wwn, {}, nullptr}; }
Schema hex() { return {Schema::HexString, {}, nullptr}; }
Schema obj(std::initializer_list<std::pair<const std::string, Schema>> f) {
    return {Schema::Object, std::map<std::string, Schema>(f), nullptr};
}
Schema arr(Schema element) { return {Schema::Array, {}, std::make_shared<Schema>(std::move(element))}; }
// A member the host reads as given: it may be absent, but not null.
Schema req(Schema schema) {
    schema.nullable = false;
    return schema;
}

// True when the number fills a field of the range without loss of its integral part.
bool fits(const json& value, long double low, long double high) {
    if (value.is_number_unsigned()) return static_cast<long double>(value.get<uint64_t>()) <= high;
    if (value.is_number_integer()) {
        auto n = static_cast<long double>(value.get<int64_t>());
        return n >= low && n <= high;
    }
    // A fraction is cut toward zero, which must land inside the range.
    long double n = value.get<double>();
    return n > low - 1 && n < high + 1;
}

// A key as it may appear in the one-line complaint: control bytes written as escapes.
std::string printable(const std::string& key) {
    std::string out;
    for (unsigned char c : key) {
        if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c == 0x7F) {
            static const char digits[] = "0123456789abcdef";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool isHex(const std::string& s) {
    if (s.size() % 2 != 0) return false;
    for (unsigned char c : s) {
        if (!std::isxdigit(c)) return false;
    }
    return true;
}

[[noreturn]] void fail(const std::string& where, const std::string& what) {
    throw std::runtime_error(where + ": " + what);
}

void check(const json& value, const Schema& schema, const std::string& where) {
    if (value.is_null()) {
        if (!schema.nullable) fail(where, "expected a value, not null");
        return;
    }
    switch (schema.kind) {
    case Schema::Number:
        if (!value.is_number()) fail(where, "expected a number");
        if (!fits(value, schema.low, schema.high)) fail(where, "number out of range");
        return;
    case Schema::Text:
        if (!value.is_string()) fail(where, "expected a string");
        return;
    case Schema::Boolean:
        if (!value.is_boolean()) fail(where, "expected true or false");
        return;
    case Schema::HexString:
        if (!value.is_string() || !isHex(value.get<std::string>())) fail(where, "expected hexadecimal bytes");
        return;
    case Schema::Wwn:
        if (!value.is_string() || value.get<std::string>().size() != 16 || !isHex(value.get<std::string>()))
            fail(where, "expected a world-wide name of 16 hexadecimal digits");
        return;
    case Schema::Bytes:
        if (value.is_string()) return;
        if (value.is_object() && value.size() == 1 && value.contains("hex") && value["hex"].is_string() &&
            isHex(value["hex"].get<std::string>()))
            return;
        fail(where, "expected a string or {\"hex\": \"...\"}");
    case Schema::Object:
        if (!value.is_object()) fail(where, "expected an object");
        for (const auto& item : value.items()) {
            auto it = schema.fields.find(item.key());
            if (it == schema.fields.end()) fail(where, "unknown key \"" + printable(item.key()) + "\"");
            check(item.value(), it->second, where + "." + item.key());
        }
        return;
    case Schema::Array:
        if (!value.is_array()) fail(where, "expected an array");
        for (size_t i = 0; i < value.size(); ++i) {
            // An element is never absent: null has no meaning there.
            std::string at = where + "[" + std::to_string(i) + "]";
            if (value[i].is_null()) fail(at, "expected a value, not null");
            check(value[i], *schema.element, at);
        }
        return;
    }
}

const Schema& hostSchema() {
    static const Schema portAttributes = obj({
        {"NodeWWN", wwn()}, {"PortWWN", wwn()}, {"PortFcId", u32()}, {"PortType", u32()},
        {"PortState", u32()}, {"PortSupportedClassofService", u32()},
        {"PortSupportedFc4Types", hex()}, {"PortActiveFc4Types", hex()},
        {"PortSymbolicName", byt()}, {"OSDeviceName", byt()}, {"PortSupportedSpeed", u32()},
        {"PortSpeed", u32()}, {"PortMaxFrameSize", u32()}, {"FabricName", wwn()},
        {"NumberofDiscoveredPorts", u32()},
    });
    static const Schema schema = obj({
        {"journal", str()},
        // Where and when a capture of a live host was taken, and what failed while it ran.
        {"capture", obj({{"host", str()}, {"time", str()}, {"tool", str()}, {"version", str()},
                         {"timeout", u32()}, {"anonymised", str()},
                         {"errors", arr(obj({{"call", req(str())}, {"target", str()},
                                             {"error", req(str())}}))}})},
        {"sysinfo", obj({{"sysname", byt()}, {"hostname", byt()}, {"release", byt()},
                         {"version", byt()}, {"machine", byt()}, {"architecture", byt()},
                         {"platform", byt()}, {"fail", arr(str())}})},
        {"uname", obj({{"sysname", byt()}, {"nodename", byt()}, {"release", byt()},
                       {"version", byt()}, {"machine", byt()}, {"fail", req(flag())}})},
        {"sysconf", obj({{"pagesize", i64()}, {"phys_pages", i64()}, {"avphys_pages", i64()},
                         {"nprocessors_conf", i64()}, {"cpuid_max", i64()}})},
        {"kstat", obj({{"open_fails", req(flag())},
                       {"chain", arr(obj({
                           {"module", req(str())}, {"instance", req(i32())}, {"name", req(str())},
                           {"class", req(str())}, {"type", req(str())}, {"read_fails", req(flag())},
                           {"vminfo", obj({{"freemem", u64()}, {"swap_resv", u64()},
                                           {"swap_alloc", u64()}, {"swap_avail", u64()},
                                           {"swap_free", u64()}})},
                           {"cpu", obj({{"idle", u64()}, {"user", u64()}, {"kernel", u64()},
                                        {"wait", u64()}})},
                           {"io", obj({{"nread", u64()}, {"nwritten", u64()}, {"reads", u32()},
                                       {"writes", u32()}, {"wtime", i64()}, {"wlentime", i64()},
                                       {"wlastupdate", i64()}, {"rtime", i64()},
                                       {"rlentime", i64()}, {"rlastupdate", i64()},
                                       {"wcnt", u32()}, {"rcnt", u32()}})},
                       }))}})},
        {"processors", arr(obj({{"id", i64()}, {"type", byt()}, {"state", req(str())}, {"clock", i32()}}))},
        {"mnttab", obj({{"unreadable", req(flag())},
                        {"entries", arr(obj({
                            {"special", byt()}, {"mountp", byt()}, {"fstype", byt()},
                            {"options", byt()}, {"time", byt()}, {"statvfs_fails", req(flag())},
                            {"statvfs", obj({{"bsize", u64()}, {"frsize", u64()}, {"blocks", u64()},
                                             {"bfree", u64()}, {"bavail", u64()}, {"files", u64()},
                                             {"ffree", u64()}})},
                        }))}})},
        {"disks", arr(obj({
            {"name", req(str())}, {"naming", req(str())}, {"node", req(str())}, {"driver", req(str())},
            {"instance", req(u32())}, {"access", req(str())}, {"slices", arr(i32())},
            {"geometry", obj({{"ncyl", u16()}, {"acyl", u16()}, {"pcyl", u16()}, {"nhead", u16()},
                              {"nsect", u16()}, {"bcyl", u16()}, {"intrlv", u16()}, {"apc", u16()},
                              {"rpm", u16()}, {"write_reinstruct", u16()},
                              {"read_reinstruct", u16()}})},
            {"geometry_fails_rw", flag()},
            {"vtoc", obj({{"asciilabel", byt()}, {"volume", byt()}, {"sectorsz", u16()},
                          {"parts", arr(obj({{"tag", u16()}, {"flag", u16()}, {"start", i64()},
                                             {"size", i64()}}))}})},
            {"dkinfo", obj({{"cname", byt()}, {"dname", byt()}, {"cnum", u16()}, {"unit", u32()},
                            {"maxtransfer", u16()}})},
            {"scsi", obj({
                {"vendor", byt()}, {"product", byt()}, {"revision", byt()}, {"serial", byt()},
                {"vpd_c0_id", byt()},
                {"translation", arr(obj({{"channel", u8()}, {"id", u8()}, {"tray", u8()},
                                         {"slot", u8()}, {"raw", hex()}}))},
                {"log_3b", obj({
                    {"controller", arr(obj({{"code", hex()}, {"value", u32()}, {"text", byt()},
                                            {"counts", arr(u32())}}))},
                    {"drives", arr(obj({{"channel", u32()}, {"id", u8()}, {"counters", arr(u32())}}))},
                    {"params", arr(obj({{"code", hex()}, {"hex", hex()}}))},
                })},
                {"page_a0_hex", hex()}, {"page_3b_hex", hex()}, {"fail", arr(str())},
                {"hangs", arr(str())},
                {"sense", obj({{"inquiry", hex()}, {"vpd_80", hex()}, {"vpd_c0", hex()},
                               {"receive_diagnostic", hex()}, {"log_sense", hex()}})},
            })},
            {"ioctl_errno", obj({{"dkinfo", i32()}, {"geometry", i32()}, {"vtoc", i32()}})},
            {"mounted_slices", arr(u16())},
        }))},
        {"dev_entries", arr(obj({{"dir", req(str())}, {"name", req(str())}, {"link", str()},
                                 {"node", obj({{"minor", req(u32())}, {"disk", req(str())},
                                               {"slice", req(i32())}})}}))},
        {"shadow", obj({{"entries", arr(obj({{"name", req(str())}, {"passwd", str()}}))},
                        {"lookup_errno", i32()}})},
        {"hba", obj({{"adapters", arr(obj({
            {"name", byt()}, {"name_status", u32()}, {"open_failures", i64()},
            {"attributes_status", u32()},
            {"attributes", obj({{"Manufacturer", byt()}, {"SerialNumber", byt()}, {"Model", byt()},
                                {"ModelDescription", byt()}, {"NodeWWN", wwn()},
                                {"NodeSymbolicName", byt()}, {"HardwareVersion", byt()},
                                {"DriverVersion", byt()}, {"OptionROMVersion", byt()},
                                {"FirmwareVersion", byt()}, {"VendorSpecificID", u32()},
                                {"DriverName", byt()}, {"NumberOfPorts", u32()}})},
            {"ports", arr(obj({
                {"status", u32()}, {"attributes", portAttributes}, {"statistics_status", u32()},
                {"statistics", obj({{"SecondsSinceLastReset", i64()}, {"TxFrames", i64()},
                                    {"RxFrames", i64()}, {"TxWords", i64()}, {"RxWords", i64()},
                                    {"LIPCount", i64()}, {"NOSCount", i64()}, {"ErrorFrames", i64()},
                                    {"DumpedFrames", i64()}, {"LinkFailureCount", i64()},
                                    {"LossOfSyncCount", i64()}, {"LossOfSignalCount", i64()},
                                    {"PrimitiveSeqProtocolErrCount", i64()},
                                    {"InvalidTxWordCount", i64()}, {"InvalidCRCCount", i64()}})},
                {"discovered", arr(obj({{"status", u32()}, {"attributes", portAttributes}}))},
            }))},
            {"mapping", obj({{"status", u32()}, {"retry_status", u32()},
                             {"entries", arr(obj({{"ScsiBusNumber", u32()}, {"ScsiTargetNumber", u32()},
                                                  {"ScsiOSLun", u32()}, {"OSDeviceName", byt()},
                                                  {"FcId", u32()}, {"NodeWWN", wwn()},
                                                  {"PortWWN", wwn()}, {"FcpLun", hex()}}))}})},
        }))}})},
    });
    return schema;
}

}  // namespace

void validate(const json& root) {
    if (!root.is_object()) fail("description", "expected a JSON object");
    check(root, hostSchema(), "description");
}

}  // namespace sim
