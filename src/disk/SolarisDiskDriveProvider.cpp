// enumerateDisks and getDisk: the host's physical disks with their label model, physical path
// and geometry, read with the disk ioctls on the raw devices.
#include "disk/SolarisDiskDriveProvider.h"

#include <cstdio>
#include <string>

#include "com_vantor_kelda_providers_solaris_SolarisDiskDriveProvider.h"
#include "devices/DeviceDirectory.h"
#include "devices/DeviceNames.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "jni/LocalRef.h"
#include "sol/dkio.h"
#include "sol/fcntl.h"
#include "sol/unistd.h"

namespace {

// The physical path of the device's link as a Java string, or null.
jstring physicalPathString(JNIEnv* env, const std::string& devicePath) {
    auto target = devices::readLinkTarget(devicePath, devices::kMaxDevicePath);
    // A target that fills the buffer may have been cut: no path rather than a wrong one.
    if (!target || target->size() >= devices::kMaxDevicePath) return nullptr;
    auto path = devices::physicalPath(*target);
    if (!path) return nullptr;
    return jni::checked(env, jni::newJavaString(env, *path));
}

}  // namespace

void DiskDriveImpl::EnumerateDisks(jobject receiver) {
    deliverEntries(receiver, devices::isWholeDiskEntry, [this](const char* name) { return MakeDisk(name); });
}

jobject DiskDriveImpl::GetDisk(jstring deviceId) {
    jni::JniString chars(env, deviceId);
    std::string name = chars.cText();
    if (!devices::acceptableName(name, 2)) return nullptr;
    return MakeDisk((name + "s2").c_str());
}

jobject DiskDriveImpl::MakeDisk(const char* name) {
    std::string entryName = name;
    if (entryName.size() >= devices::kMaxEntryName) return nullptr;
    std::string deviceId = devices::diskDeviceId(entryName);
    std::string devicePath = disk::rawDevicePath(entryName);

    devices::Device device(OpenDeviceForIoctl(devicePath.c_str()));
    if (!device.valid()) return nullptr;

    bool valid = true;
    sol::dk_geom geometry{};
    if (sol::ioctl(device.get(), SOL(DKIOCGGEOM), &geometry) != 0) {
        std::perror("SolarisDiskDrive DKIOCGGEOM");
        valid = false;
    }
    sol::vtoc label{};
    if (sol::ioctl(device.get(), SOL(DKIOCGVTOC), &label) != 0) {
        std::perror("SolarisDiskDrive DKIOCGVTOC");
        valid = false;
    }

    jni::LocalRef<jstring> physicalPath(env, physicalPathString(env, devicePath));
    jobject instance;
    if (valid) {
        std::string model = devices::labelModel(label.v_asciilabel, sizeof label.v_asciilabel);
        instance = MakeDisk1(deviceId.c_str(), model.c_str(), physicalPath.get(), geometry.dkg_nhead, geometry.dkg_nsect,
                         geometry.dkg_pcyl, geometry.dkg_ncyl, geometry.dkg_acyl);
    } else {
        instance = MakeDisk1(deviceId.c_str(), nullptr, physicalPath.get(), 0, 0, 0, 0, 0);
    }
    return instance;
}

int DiskDriveImpl::OpenDeviceForIoctl(const char* path) {
    int fd = sol::open(path, SOL(O_RDWR) | SOL(O_NDELAY));
    if (fd >= 0) {
        // Some drivers answer the geometry only to a read-only open.
        sol::dk_geom probe{};
        if (sol::ioctl(fd, SOL(DKIOCGGEOM), &probe) != 0) {
            sol::close(fd);
            fd = sol::open(path, SOL(O_RDONLY));
        }
    }
    return fd;
}

jobject DiskDriveImpl::MakeDisk1(const char* deviceId, const char* model, jstring physicalPath, int64_t heads,
                                 int64_t sectorsPerTrack, int64_t physicalCylinders, int64_t dataCylinders,
                                 int64_t alternateCylinders) {
    jni::LocalFrame frame(env, 70);
    jstring id = jni::checked(env, jni::newJavaString(env, deviceId));
    jstring modelText = model == nullptr ? nullptr : jni::checked(env, jni::newJavaString(env, model));
    jobject instance = provider.makeDisk1(id, modelText, physicalPath, heads, sectorsPerTrack, physicalCylinders,
                                      dataCylinders, alternateCylinders);
    return frame.pop(instance);
}

JNIEXPORT void JNICALL Java_com_vantor_kelda_providers_solaris_SolarisDiskDriveProvider_enumerateDisks(
    JNIEnv* env, jobject self, jobject receiver) {
    // A receiver or makeDisk1 that throws ends the walk; the exception is printed and cleared,
    // and the caller keeps the disks delivered so far.
    disk::enumerationExport<DiskDriveImpl>(env, self, jni::kPrintedAndCleared,
                                           [&](DiskDriveImpl& impl) { impl.EnumerateDisks(receiver); });
}

JNIEXPORT jobject JNICALL Java_com_vantor_kelda_providers_solaris_SolarisDiskDriveProvider_getDisk(
    JNIEnv* env, jobject self, jstring deviceId) {
    return disk::lookupExport<DiskDriveImpl>(env, self, [&](DiskDriveImpl& impl) { return impl.GetDisk(deviceId); });
}
