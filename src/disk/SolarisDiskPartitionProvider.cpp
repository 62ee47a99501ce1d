// enumeratePartitions and getPartition: the slices of the host's disks with their size, tag
// and flags from the volume table of contents, and whether a file system on them is mounted.
#include "disk/SolarisDiskPartitionProvider.h"

#include <string>

#include "com_vantor_kelda_providers_solaris_SolarisDiskPartitionProvider.h"
#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/stat.h"
#include "sol/unistd.h"
#include "sol/ustat.h"

void DiskPartitionImpl::EnumeratePartitions(jobject receiver) {
    auto pastDots = [](const std::string& name) { return name.size() > 2; };  // "." and ".." stay out
    deliverEntries(receiver, pastDots, [this](const char* name) { return MakePartition(name); });
}

jobject DiskPartitionImpl::GetPartition(jstring name) {
    jni::JniString chars(env, name);
    std::string entryName = chars.cText();
    if (!devices::acceptableName(entryName, 0)) return nullptr;
    return MakePartition(entryName.c_str());
}

jobject DiskPartitionImpl::MakePartition(const char* name) {
    std::string entryName = name;
    if (entryName.size() >= devices::kMaxEntryName) return nullptr;
    std::string deviceId = devices::partitionDeviceId(entryName);
    std::string devicePath = disk::rawDevicePath(entryName);

    devices::Device device(sol::open(devicePath.c_str(), SOL(O_RDWR) | SOL(O_NDELAY)));
    if (!device.valid()) return nullptr;

    struct sol::stat status {};
    sol::dk_cinfo info{};
    sol::dk_geom geometry{};
    sol::vtoc label{};
    if (sol::fstat(device.get(), &status) != 0 || sol::ioctl(device.get(), SOL(DKIOCINFO), &info) != 0 ||
        sol::ioctl(device.get(), SOL(DKIOCGGEOM), &geometry) != 0 ||
        sol::ioctl(device.get(), SOL(DKIOCGVTOC), &label) != 0) {
        return nullptr;
    }

    // The table of contents has an entry for slices 0 to 7 only.
    int slice = info.dki_partition;
    if (slice < 0 || slice >= SOL(V_NUMPAR)) return nullptr;
    const sol::partition& part = label.v_part[slice];

    struct sol::ustat mountedFs {};
    bool mounted = sol::ustat(status.st_rdev, &mountedFs) == 0;
    return MakePartition1(entryName.c_str(), deviceId.c_str(), slice, part.p_size, part.p_tag, part.p_flag, mounted);
}

jobject DiskPartitionImpl::MakePartition1(const char* name, const char* deviceId, int slice, long size, int tag,
                                          int flags, bool mounted) {
    jni::LocalFrame frame(env, 50);
    jstring nameText = jni::checked(env, jni::newJavaString(env, name));
    jstring idText = jni::checked(env, jni::newJavaString(env, deviceId));
    jobject instance = provider.makePartition1(nameText, idText, static_cast<jint>(slice), static_cast<jint>(size),
                                               static_cast<jshort>(tag), static_cast<jshort>(flags),
                                               mounted ? JNI_TRUE : JNI_FALSE);
    return frame.pop(instance);
}

JNIEXPORT void JNICALL Java_com_vantor_kelda_providers_solaris_SolarisDiskPartitionProvider_enumeratePartitions(
    JNIEnv* env, jobject self, jobject receiver) {
    // A receiver or makePartition1 that throws ends the walk; the exception reaches the caller.
    disk::enumerationExport<DiskPartitionImpl>(env, self, jni::kUnknownException,
                                               [&](DiskPartitionImpl& impl) { impl.EnumeratePartitions(receiver); });
}

JNIEXPORT jobject JNICALL Java_com_vantor_kelda_providers_solaris_SolarisDiskPartitionProvider_getPartition(
    JNIEnv* env, jobject self, jstring name) {
    return disk::lookupExport<DiskPartitionImpl>(env, self,
                                                 [&](DiskPartitionImpl& impl) { return impl.GetPartition(name); });
}
