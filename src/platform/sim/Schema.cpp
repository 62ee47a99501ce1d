// The format of a simulated host description: every section and key it may hold, with the kind
// of each value. Unknown keys and values of the wrong kind are reported by their path.
#include <cctype>
#include <initializer_list>
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
};

Schema num() { return {Schema::Number, {}, nullptr}; }
Schema str() { return {Schema::Text, {}, nullptr}; }
Schema byt() { return {Schema::Bytes, {}, nullptr}; }
Schema flag() { return {Schema::Boolean, {}, nullptr}; }
Schema wwn() { return {Schema::Wwn, {}, nullptr}; }
Schema hex() { return {Schema::HexString, {}, nullptr}; }
Schema obj(std::initializer_list<std::pair<const std::string, Schema>> f) {
    return {Schema::Object, std::map<std::string, Schema>(f), nullptr};
}
Schema arr(Schema element) { return {Schema::Array, {}, std::make_shared<Schema>(std::move(element))}; }

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
    if (value.is_null()) return;  // null stands for "absent" everywhere
    switch (schema.kind) {
    case Schema::Number:
        if (!value.is_number()) fail(where, "expected a number");
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
            if (it == schema.fields.end()) fail(where, "unknown key \"" + item.key() + "\"");
            check(item.value(), it->second, where + "." + item.key());
        }
        return;
    case Schema::Array:
        if (!value.is_array()) fail(where, "expected an array");
        for (size_t i = 0; i < value.size(); ++i) {
            check(value[i], *schema.element, where + "[" + std::to_string(i) + "]");
        }
        return;
    }
}

const Schema& hostSchema() {
    static const Schema portAttributes = obj({
        {"NodeWWN", wwn()}, {"PortWWN", wwn()}, {"PortFcId", num()}, {"PortType", num()},
        {"PortState", num()}, {"PortSupportedClassofService", num()},
        {"PortSupportedFc4Types", hex()}, {"PortActiveFc4Types", hex()},
        {"PortSymbolicName", byt()}, {"OSDeviceName", byt()}, {"PortSupportedSpeed", num()},
        {"PortSpeed", num()}, {"PortMaxFrameSize", num()}, {"FabricName", wwn()},
        {"NumberofDiscoveredPorts", num()},
    });
    static const Schema schema = obj({
        {"journal", str()},
        {"sysinfo", obj({{"sysname", byt()}, {"hostname", byt()}, {"release", byt()},
                         {"version", byt()}, {"machine", byt()}, {"architecture", byt()},
                         {"platform", byt()}, {"fail", arr(str())}})},
        {"uname", obj({{"sysname", byt()}, {"nodename", byt()}, {"release", byt()},
                       {"version", byt()}, {"machine", byt()}, {"fail", flag()}})},
        {"sysconf", obj({{"pagesize", num()}, {"phys_pages", num()}, {"avphys_pages", num()},
                         {"nprocessors_conf", num()}, {"cpuid_max", num()}})},
        {"kstat", obj({{"open_fails", flag()},
                       {"chain", arr(obj({
                           {"module", str()}, {"instance", num()}, {"name", str()},
                           {"class", str()}, {"type", str()}, {"read_fails", flag()},
                           {"vminfo", obj({{"freemem", num()}, {"swap_resv", num()},
                                           {"swap_alloc", num()}, {"swap_avail", num()},
                                           {"swap_free", num()}})},
                           {"cpu", obj({{"idle", num()}, {"user", num()}, {"kernel", num()},
                                        {"wait", num()}})},
                           {"io", obj({{"nread", num()}, {"nwritten", num()}, {"reads", num()},
                                       {"writes", num()}, {"wtime", num()}, {"wlentime", num()},
                                       {"wlastupdate", num()}, {"rtime", num()},
                                       {"rlentime", num()}, {"rlastupdate", num()},
                                       {"wcnt", num()}, {"rcnt", num()}})},
                       }))}})},
        {"processors", arr(obj({{"id", num()}, {"type", byt()}, {"state", str()}, {"clock", num()}}))},
        {"mnttab", obj({{"unreadable", flag()},
                        {"entries", arr(obj({
                            {"special", byt()}, {"mountp", byt()}, {"fstype", byt()},
                            {"options", byt()}, {"time", byt()}, {"statvfs_fails", flag()},
                            {"statvfs", obj({{"bsize", num()}, {"frsize", num()}, {"blocks", num()},
                                             {"bfree", num()}, {"bavail", num()}, {"files", num()},
                                             {"ffree", num()}})},
                        }))}})},
        {"disks", arr(obj({
            {"name", str()}, {"naming", str()}, {"node", str()}, {"driver", str()},
            {"instance", num()}, {"access", str()}, {"slices", arr(num())},
            {"geometry", obj({{"ncyl", num()}, {"acyl", num()}, {"pcyl", num()}, {"nhead", num()},
                              {"nsect", num()}, {"bcyl", num()}, {"intrlv", num()}, {"apc", num()},
                              {"rpm", num()}, {"write_reinstruct", num()},
                              {"read_reinstruct", num()}})},
            {"geometry_fails_rw", flag()},
            {"vtoc", obj({{"asciilabel", byt()}, {"volume", byt()}, {"sectorsz", num()},
                          {"parts", arr(obj({{"tag", num()}, {"flag", num()}, {"start", num()},
                                             {"size", num()}}))}})},
            {"dkinfo", obj({{"cname", byt()}, {"dname", byt()}, {"cnum", num()}, {"unit", num()},
                            {"maxtransfer", num()}})},
            {"scsi", obj({
                {"vendor", byt()}, {"product", byt()}, {"revision", byt()}, {"serial", byt()},
                {"vpd_c0_id", byt()},
                {"translation", arr(obj({{"channel", num()}, {"id", num()}, {"tray", num()},
                                         {"slot", num()}, {"raw", hex()}}))},
                {"log_3b", obj({
                    {"controller", arr(obj({{"code", hex()}, {"value", num()}, {"text", byt()},
                                            {"counts", arr(num())}}))},
                    {"drives", arr(obj({{"channel", num()}, {"id", num()}, {"counters", arr(num())}}))},
                    {"params", arr(obj({{"code", hex()}, {"hex", hex()}}))},
                })},
                {"page_a0_hex", hex()}, {"page_3b_hex", hex()}, {"fail", arr(str())},
            })},
        }))},
        {"dev_entries", arr(obj({{"dir", str()}, {"name", str()}, {"link", str()},
                                 {"node", obj({{"minor", num()}, {"disk", str()}, {"slice", num()}})}}))},
        {"shadow", obj({{"entries", arr(obj({{"name", str()}, {"passwd", str()}}))},
                        {"lookup_errno", num()}})},
        {"hba", obj({{"adapters", arr(obj({
            {"name", byt()}, {"name_status", num()}, {"open_failures", num()},
            {"attributes_status", num()},
            {"attributes", obj({{"Manufacturer", byt()}, {"SerialNumber", byt()}, {"Model", byt()},
                                {"ModelDescription", byt()}, {"NodeWWN", wwn()},
                                {"NodeSymbolicName", byt()}, {"HardwareVersion", byt()},
                                {"DriverVersion", byt()}, {"OptionROMVersion", byt()},
                                {"FirmwareVersion", byt()}, {"VendorSpecificID", num()},
                                {"DriverName", byt()}, {"NumberOfPorts", num()}})},
            {"ports", arr(obj({
                {"status", num()}, {"attributes", portAttributes}, {"statistics_status", num()},
                {"statistics", obj({{"SecondsSinceLastReset", num()}, {"TxFrames", num()},
                                    {"RxFrames", num()}, {"TxWords", num()}, {"RxWords", num()},
                                    {"LIPCount", num()}, {"NOSCount", num()}, {"ErrorFrames", num()},
                                    {"DumpedFrames", num()}, {"LinkFailureCount", num()},
                                    {"LossOfSyncCount", num()}, {"LossOfSignalCount", num()},
                                    {"PrimitiveSeqProtocolErrCount", num()},
                                    {"InvalidTxWordCount", num()}, {"InvalidCRCCount", num()}})},
                {"discovered", arr(obj({{"status", num()}, {"attributes", portAttributes}}))},
            }))},
            {"mapping", obj({{"status", num()}, {"retry_status", num()},
                             {"entries", arr(obj({{"ScsiBusNumber", num()}, {"ScsiTargetNumber", num()},
                                                  {"ScsiOSLun", num()}, {"OSDeviceName", byt()},
                                                  {"FcId", num()}, {"NodeWWN", wwn()},
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
