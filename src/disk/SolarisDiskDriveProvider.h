// The disk drive provider: the host's physical disks, one per whole-disk entry of
// "/dev/rdsk", built as instances by the Java provider's makeDisk1.
#pragma once
#include <jni.h>

#include <cstdint>

#include "disk/DiskProviderWorker.h"
#include "kelda/KeldaClasses.h"

class SolarisDiskDriveProvider : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/providers/solaris/SolarisDiskDriveProvider",
        JAVA_STATIC_FIELD(_class, "Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(makeDisk1, "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJJJJ)"
                               "Lcom/vantor/kelda/KdInstance;"))
    JAVA_WRAPPER(SolarisDiskDriveProvider)

    jobject makeDisk1(jstring deviceId, jstring model, jstring physicalPath, jlong heads, jlong sectorsPerTrack,
                      jlong physicalCylinders, jlong dataCylinders, jlong alternateCylinders) {
        return callObject(holder().meth_makeDisk1(), deviceId, model, physicalPath, heads, sectorsPerTrack,
                          physicalCylinders, dataCylinders, alternateCylinders);
    }
};

// The worker of one call.
class DiskDriveImpl : private disk::DiskProviderWorker<SolarisDiskDriveProvider> {
public:
    using DiskProviderWorker::DiskProviderWorker;

    // Hands each disk to the receiver, in directory order.
    void EnumerateDisks(jobject receiver);
    // The disk of a device id such as c0t0d0, or null.
    jobject GetDisk(jstring deviceId);
    // The disk of a whole-disk entry name such as c0t0d0s2, or null.
    jobject MakeDisk(const char* name);
    // A descriptor for the disk ioctls, negative when the device cannot be opened.
    int OpenDeviceForIoctl(const char* path);
    jobject MakeDisk1(const char* deviceId, const char* model, jstring physicalPath, int64_t heads,
                      int64_t sectorsPerTrack, int64_t physicalCylinders, int64_t dataCylinders,
                      int64_t alternateCylinders);
};
