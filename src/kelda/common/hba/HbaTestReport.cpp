// testHbaLibrary: one line of text per fact the HBA library reports, failures included, for an
// operator to read. Values are shown raw: the library's own SCSI bus, the FCP LUN in hex.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "com_vantor_kelda_providers_hba_HbaCache.h"
#include "jni/JavaText.h"
#include "kelda/common/hba/HbaCacheImpl.h"
#include "kelda/common/hba/HbaStatus.h"
#include "kelda/common/hba/TargetMapping.h"

namespace {

// Appends lines to a java.util.List. Lines hold adapter names as the library gave them, so
// they become Java strings through the modified-UTF-8 conversion whatever their bytes are.
class ReportList {
public:
    ReportList(JNIEnv* env, jobject list) : env_(env), list_(list) {
        jclass cls = checked(env, env->FindClass("java/util/List"));
        add_ = env->GetMethodID(cls, "add", "(Ljava/lang/Object;)Z");
        env->DeleteLocalRef(cls);
        checked(env, add_);
    }

    void add(const char* line) {
        jstring text = checked(env_, newJavaString(env_, line));
        env_->CallBooleanMethod(list_, add_, text);
        env_->DeleteLocalRef(text);
        checkPending(env_);
    }

    __attribute__((format(printf, 2, 3))) void addf(const char* format, ...) {
        char line[1024];
        va_list args;
        va_start(args, format);
        std::vsnprintf(line, sizeof line, format, args);
        va_end(args);
        add(line);
    }

private:
    JNIEnv* env_;
    jobject list_;
    jmethodID add_;
};

}  // namespace

void HbaCacheImpl::TestHbaLibrary(jobject list) {
    if (list == nullptr) kelda::throwNullPointer(env, "java/util/List");
    ReportList report(env, list);
    HBA_UINT32 count = HBA_GetNumberOfAdapters();

    FcpTargetMappingTable table;
    for (HBA_UINT32 index = 0; index < count; ++index) {
        int i = static_cast<int>(index);
        WithAdapterHandle adapter(&library);
        char name[256];
        if (!adapter.open(index, name)) {
            report.addf("Unable to open HBA adapter %d (%s) -- status is %d (%s) (check ownership)", i, name,
                        static_cast<int>(adapter.status), StatusString(adapter.status));
            continue;
        }
        bool refreshed = adapter.refresh(name);

        HBA_ADAPTERATTRIBUTES a;
        std::memset(&a, 0, sizeof a);
        HBA_STATUS status = HBA_GetAdapterAttributes(adapter.handle, &a);
        if (status != HBA_STATUS_OK) {
            report.add(BadStatus("GetAdapterAttributes", status, i, name));
            continue;
        }
        report.addf("HBA %d name(%s) NWWN=%s", i, name, toString(a.NodeWWN));
        report.addf("  manufacturer(%s) serial(%s) model(%s) descr(%s)", terminateString(a.Manufacturer, 64),
                    terminateString(a.SerialNumber, 64), terminateString(a.Model, 256),
                    terminateString(a.ModelDescription, 256));
        if (!refreshed) report.add("  (HBA_RefreshInformation not called.)");

        for (HBA_UINT32 p = 0; p < a.NumberOfPorts; ++p) {
            HBA_PORTATTRIBUTES port;
            std::memset(&port, 0, sizeof port);
            status = HBA_GetAdapterPortAttributes(adapter.handle, p, &port);
            if (status != HBA_STATUS_OK) {
                report.add(BadStatus("GetAdapterPortAttributes", status, i, name));
                continue;
            }
            report.addf("  Port index %d NWWN=%s", static_cast<int>(p), toString(port.NodeWWN));
            report.addf("    PWWN=%s FcId=0x%lx", toString(port.PortWWN), static_cast<unsigned long>(port.PortFcId));
            for (HBA_UINT32 d = 0; d < port.NumberofDiscoveredPorts; ++d) {
                HBA_PORTATTRIBUTES discovered;
                std::memset(&discovered, 0, sizeof discovered);
                status = HBA_GetDiscoveredPortAttributes(adapter.handle, p, d, &discovered);
                if (status != HBA_STATUS_OK) {
                    report.add(BadStatus("GetDiscoveredPortAttributes", status, i, name));
                    continue;
                }
                report.addf("    Discovered port %d NWWN=%s", static_cast<int>(d), toString(discovered.NodeWWN));
                report.addf("      PWWN=%s FcId=0x%lx", toString(discovered.PortWWN),
                            static_cast<unsigned long>(discovered.PortFcId));
            }
        }

        status = table.fetch(adapter.handle);
        if (status != HBA_STATUS_OK) {
            report.add(BadStatus("GetFcpTargetMapping", status, i, name));
            continue;
        }
        for (HBA_UINT32 e = 0; e < table.size(); ++e) {
            HBA_FCPSCSIENTRY& entry = table.entry(e);
            report.addf("  SCSI c%dt%dd%d OsDeviceName(%s) NWWN=%s", static_cast<int>(entry.ScsiId.ScsiBusNumber),
                        static_cast<int>(entry.ScsiId.ScsiTargetNumber), static_cast<int>(entry.ScsiId.ScsiOSLun),
                        terminateString(entry.ScsiId.OSDeviceName, 256), toString(entry.FcpId.NodeWWN));
            auto lun = static_cast<unsigned long long>(entry.FcpId.FcpLun);
            report.addf("    PWWN=%s FcId=0x%lx Lun=0x%08lx%08lx", toString(entry.FcpId.PortWWN),
                        static_cast<unsigned long>(entry.FcpId.FcId), static_cast<unsigned long>(lun >> 32),
                        static_cast<unsigned long>(lun & 0xffffffffULL));
        }
    }
}

JNIEXPORT void JNICALL Java_com_vantor_kelda_providers_hba_HbaCache_testHbaLibrary(JNIEnv* env, jobject self,
                                                                                  jobject list) {
    try {
        HbaCacheImpl impl(env, self, nullptr);
        impl.TestHbaLibrary(list);
    } catch (...) {
        // A Java exception left pending stays for the caller; nothing C++ reaches the JVM.
    }
}
