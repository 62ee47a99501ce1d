// The Fibre Channel adapter tree, read with the natives' own walk through the HBA API common
// library: adapters, ports, statistics, discovered ports and target mappings. A call that
// failed is replayed as failing with the status it returned.
#include <cstdio>
#include <cstring>

#include "capture/HostCapture.h"
#include "kelda/common/hba/HbaLibrary.h"
#include "kelda/common/hba/HbaTreeReader.h"

namespace capture {

namespace {

std::string wwnText(const HBA_WWN& wwn) {
    return hexOf(wwn.wwn, sizeof wwn.wwn);
}

json portAttributes(const HBA_PORTATTRIBUTES& p) {
    return {{"NodeWWN", wwnText(p.NodeWWN)}, {"PortWWN", wwnText(p.PortWWN)}, {"PortFcId", p.PortFcId},
            {"PortType", p.PortType}, {"PortState", p.PortState},
            {"PortSupportedClassofService", p.PortSupportedClassofService},
            {"PortSupportedFc4Types", hexOf(p.PortSupportedFc4Types.bits, sizeof p.PortSupportedFc4Types.bits)},
            {"PortActiveFc4Types", hexOf(p.PortActiveFc4Types.bits, sizeof p.PortActiveFc4Types.bits)},
            {"PortSymbolicName", textField(p.PortSymbolicName, sizeof p.PortSymbolicName)},
            {"OSDeviceName", textField(p.OSDeviceName, sizeof p.OSDeviceName)},
            {"PortSupportedSpeed", p.PortSupportedSpeed}, {"PortSpeed", p.PortSpeed},
            {"PortMaxFrameSize", p.PortMaxFrameSize}, {"FabricName", wwnText(p.FabricName)},
            {"NumberofDiscoveredPorts", p.NumberofDiscoveredPorts}};
}

json statisticsOf(const HBA_PORTSTATISTICS& s) {
    return {{"SecondsSinceLastReset", s.SecondsSinceLastReset}, {"TxFrames", s.TxFrames}, {"RxFrames", s.RxFrames},
            {"TxWords", s.TxWords}, {"RxWords", s.RxWords}, {"LIPCount", s.LIPCount}, {"NOSCount", s.NOSCount},
            {"ErrorFrames", s.ErrorFrames}, {"DumpedFrames", s.DumpedFrames},
            {"LinkFailureCount", s.LinkFailureCount}, {"LossOfSyncCount", s.LossOfSyncCount},
            {"LossOfSignalCount", s.LossOfSignalCount},
            {"PrimitiveSeqProtocolErrCount", s.PrimitiveSeqProtocolErrCount},
            {"InvalidTxWordCount", s.InvalidTxWordCount}, {"InvalidCRCCount", s.InvalidCRCCount}};
}

class AdapterRecorder : public HbaTreeVisitor {
public:
    explicit AdapterRecorder(CaptureLog& log) : log_(log) {}

    json adapters = json::array();

    bool begin(HBA_UINT32) override { return true; }

    // The walk reports a failed call as a line of text: "HBA_<call> call returned <status> ..."
    // for a call on an open adapter, "Unable to open HBA adapter <i> (<name>) ..." otherwise.
    void failed(const char* message) override {
        log_.failed("HBA API", "", message);
        char call[64] = {};
        int status = 0, index = 0;
        char name[256] = {};
        if (std::sscanf(message, "Unable to open HBA adapter %d (%255[^)])", &index, name) >= 1) {
            adapters.push_back({{"name", textField(name, sizeof name)}, {"open_failures", 1000000000}});
            return;
        }
        if (std::sscanf(message, "HBA_%63s call returned %d", call, &status) != 2) return;
        std::string which = call;
        if (which == "GetAdapterAttributes") {
            std::sscanf(message, "HBA_%*s call returned %*d (%*[^)]) for adapter %d (%255[^)])", &index, name);
            adapters.push_back({{"name", textField(name, sizeof name)}, {"attributes_status", status}});
        } else if (which == "GetAdapterPortAttributes") {
            current()["ports"].push_back({{"status", status}});
        } else if (which == "GetPortStatistics") {
            statisticsStatus_ = status;
        } else if (which == "GetDiscoveredPortAttributes") {
            current()["ports"].back()["discovered"].push_back({{"status", status}});
        } else if (which == "GetFcpTargetMapping") {
            current()["mapping"] = {{"status", status}};
        }
    }

    void adapter(int, const char* name, HBA_ADAPTERATTRIBUTES& a, bool, const FcpTargetMappingTable&) override {
        json attributes = {
            {"Manufacturer", textField(a.Manufacturer, sizeof a.Manufacturer)},
            {"SerialNumber", textField(a.SerialNumber, sizeof a.SerialNumber)},
            {"Model", textField(a.Model, sizeof a.Model)},
            {"ModelDescription", textField(a.ModelDescription, sizeof a.ModelDescription)},
            {"NodeWWN", wwnText(a.NodeWWN)},
            {"NodeSymbolicName", textField(a.NodeSymbolicName, sizeof a.NodeSymbolicName)},
            {"HardwareVersion", textField(a.HardwareVersion, sizeof a.HardwareVersion)},
            {"DriverVersion", textField(a.DriverVersion, sizeof a.DriverVersion)},
            {"OptionROMVersion", textField(a.OptionROMVersion, sizeof a.OptionROMVersion)},
            {"FirmwareVersion", textField(a.FirmwareVersion, sizeof a.FirmwareVersion)},
            {"VendorSpecificID", a.VendorSpecificID},
            {"DriverName", textField(a.DriverName, sizeof a.DriverName)},
            {"NumberOfPorts", a.NumberOfPorts}};
        adapters.push_back({{"name", textField(name, 256)}, {"attributes", attributes}, {"ports", json::array()}});
    }

    bool wantsStatistics() const override { return true; }

    void port(int, HBA_UINT32, HBA_PORTATTRIBUTES& attributes, const HBA_PORTSTATISTICS* statistics) override {
        json port = {{"attributes", portAttributes(attributes)}, {"discovered", json::array()}};
        if (statistics != nullptr) {
            port["statistics"] = statisticsOf(*statistics);
        } else {
            port["statistics_status"] = statisticsStatus_;
        }
        statisticsStatus_ = 0;
        current()["ports"].push_back(std::move(port));
    }

    void discoveredPort(HBA_UINT32, HBA_PORTATTRIBUTES& attributes) override {
        current()["ports"].back()["discovered"].push_back({{"attributes", portAttributes(attributes)}});
    }

    void mappings(const FcpTargetMappingTable& table) override {
        json entries = json::array();
        for (HBA_UINT32 e = 0; e < table.size(); ++e) {
            const HBA_FCPSCSIENTRY& m = table.entry(e);
            char lun[17];
            std::snprintf(lun, sizeof lun, "%016llx", static_cast<unsigned long long>(m.FcpId.FcpLun));
            entries.push_back({{"ScsiBusNumber", m.ScsiId.ScsiBusNumber},
                               {"ScsiTargetNumber", m.ScsiId.ScsiTargetNumber}, {"ScsiOSLun", m.ScsiId.ScsiOSLun},
                               {"OSDeviceName", textField(m.ScsiId.OSDeviceName, sizeof m.ScsiId.OSDeviceName)},
                               {"FcId", m.FcpId.FcId}, {"NodeWWN", wwnText(m.FcpId.NodeWWN)},
                               {"PortWWN", wwnText(m.FcpId.PortWWN)}, {"FcpLun", lun}});
        }
        current()["mapping"] = {{"entries", entries}};
    }

private:
    json& current() { return adapters.back(); }

    CaptureLog& log_;
    HBA_STATUS statisticsStatus_ = 0;
};

}  // namespace

void captureAdapters(json& host, CaptureLog& log) {
    AdapterRecorder recorder(log);
    {
        HbaLibrary library;
        readHbaTree(library, recorder);
    }
    host["hba"] = {{"adapters", recorder.adapters}};
}

}  // namespace capture
