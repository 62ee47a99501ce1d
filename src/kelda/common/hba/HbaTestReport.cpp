// testHbaLibrary: one line of text per fact the HBA library reports, failures included, for an
// operator to read. Values are shown raw: the library's own SCSI bus, the FCP LUN in hex.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "com_vantor_kelda_providers_hba_HbaCache.h"
#include "jni/ClassHolder.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/LocalRef.h"
#include "kelda/common/hba/InstanceRecipe.h"
#include "kelda/common/hba/HbaLibrary.h"
#include "kelda/common/hba/HbaTreeReader.h"
#include "kelda/common/hba/TargetMapping.h"

namespace {

// Appends lines to a java.util.List. Lines hold adapter names as the library gave them, so
// they become Java strings through the modified-UTF-8 conversion whatever their bytes are.
class ReportList {
public:
    ReportList(JNIEnv* env, jobject list) : env_(env), list_(list), holder_(env) {}

    void add(const char* line) {
        jni::LocalRef<jstring> text(env_, jni::checked(env_, jni::newJavaString(env_, line)));
        env_->CallBooleanMethod(list_, holder_.meth_add(), text.get());
        jni::checkPending(env_);
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
    JAVA_HOLDER(JavaList, "java/util/List", JAVA_METHOD(add, "(Ljava/lang/Object;)Z"))

    JNIEnv* env_;
    jobject list_;
    JavaList::Static holder_;
};

// The report's lines: adapters, their ports and discovered ports, then the adapter's target
// mappings, with a line for each failed call.
class LibraryReport : public HbaTreeVisitor {
public:
    explicit LibraryReport(ReportList& report) : report_(report) {}

    bool begin(HBA_UINT32) override { return true; }

    void failed(const char* message) override { report_.add(message); }

    void adapter(int i, const char* name, HBA_ADAPTERATTRIBUTES& a, bool refreshed,
                 const FcpTargetMappingTable&) override {
        report_.addf("HBA %d name(%s) NWWN=%s", i, name, toString(a.NodeWWN));
        report_.addf("  manufacturer(%s) serial(%s) model(%s) descr(%s)", terminateString(a.Manufacturer, 64),
                     terminateString(a.SerialNumber, 64), terminateString(a.Model, 256),
                     terminateString(a.ModelDescription, 256));
        if (!refreshed) report_.add("  (HBA_RefreshInformation not called.)");
    }

    bool wantsStatistics() const override { return false; }

    void port(int, HBA_UINT32 p, HBA_PORTATTRIBUTES& port, const HBA_PORTSTATISTICS*) override {
        report_.addf("  Port index %d NWWN=%s", static_cast<int>(p), toString(port.NodeWWN));
        report_.addf("    PWWN=%s FcId=0x%lx", toString(port.PortWWN), static_cast<unsigned long>(port.PortFcId));
    }

    void discoveredPort(HBA_UINT32 d, HBA_PORTATTRIBUTES& discovered) override {
        report_.addf("    Discovered port %d NWWN=%s", static_cast<int>(d), toString(discovered.NodeWWN));
        report_.addf("      PWWN=%s FcId=0x%lx", toString(discovered.PortWWN),
                     static_cast<unsigned long>(discovered.PortFcId));
    }

    void mappings(const FcpTargetMappingTable& table) override {
        for (HBA_UINT32 e = 0; e < table.size(); ++e) {
            HBA_FCPSCSIENTRY entry = table.entry(e);
            report_.addf("  SCSI c%dt%dd%d OsDeviceName(%s) NWWN=%s", static_cast<int>(entry.ScsiId.ScsiBusNumber),
                         static_cast<int>(entry.ScsiId.ScsiTargetNumber), static_cast<int>(entry.ScsiId.ScsiOSLun),
                         terminateString(entry.ScsiId.OSDeviceName, 256), toString(entry.FcpId.NodeWWN));
            auto lun = static_cast<unsigned long long>(entry.FcpId.FcpLun);
            report_.addf("    PWWN=%s FcId=0x%lx Lun=0x%08lx%08lx", toString(entry.FcpId.PortWWN),
                         static_cast<unsigned long>(entry.FcpId.FcId), static_cast<unsigned long>(lun >> 32),
                         static_cast<unsigned long>(lun & 0xffffffffULL));
        }
    }

private:
    ReportList& report_;
};

}  // namespace

JNIEXPORT void JNICALL Java_com_vantor_kelda_providers_hba_HbaCache_testHbaLibrary(JNIEnv* env, jobject self,
                                                                                  jobject list) {
    jni::guardedExport(env, jni::kPendingOnly, [&] {
        if (list == nullptr) jni::throwNullObject(env, "java/util/List");
        ReportList report(env, list);
        LibraryReport visitor(report);
        HbaLibrary library;
        readHbaTree(library, visitor);
    });
}
