// enumerateLogicalDiskNames and getLogicalDiskByName: the mounted UFS and NFS file systems.
#include "host/SolarisLogicalDisk.h"

#include <cstring>

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "sol/mnttab.h"
#include "sol/statvfs.h"
#include "sol/stdio.h"

namespace {

const DataClass logicalDiskClassName{
    "com/vantor/kelda/providers/solaris/SolarisLogicalDiskProvider$SolarisLogicalDisk",
    "(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJJJ)V"};

// Closes the mount table on every way out.
struct MountTable {
    FILE* fp;
    explicit MountTable(FILE* f) : fp(f) {}
    ~MountTable() {
        if (fp != nullptr) sol::fclose(fp);
    }
    MountTable(const MountTable&) = delete;
    MountTable& operator=(const MountTable&) = delete;
};

bool isLogicalDisk(const sol::mnttab& entry) {
    return entry.mnt_fstype != nullptr &&
           (std::strcmp(entry.mnt_fstype, "ufs") == 0 || std::strcmp(entry.mnt_fstype, "nfs") == 0);
}

std::string field(const char* text) { return text == nullptr ? std::string() : std::string(text); }

jobject makeDisk(const std::string& name, JNIEnv* env, jclass cls, jmethodID ctor, bool withCapacities) {
    LogicalDisk disk = GetLogicalDisk(name, withCapacities);
    jstring jname = javaString(env, disk.name);
    jstring jmount = javaString(env, disk.mountPoint);
    jstring jtype = javaString(env, disk.fileSystemType);
    jobject object = newDataObject(env, cls, ctor, jname, jmount, jtype, static_cast<jlong>(disk.size),
                                   static_cast<jlong>(disk.available), static_cast<jlong>(disk.free),
                                   static_cast<jlong>(disk.blockSize));
    env->DeleteLocalRef(jname);
    env->DeleteLocalRef(jmount);
    env->DeleteLocalRef(jtype);
    return object;
}

}  // namespace

std::vector<std::string> ListLogicalDisks() {
    std::vector<std::string> names;
    MountTable table(sol::fopen(SOL(MNTTAB), "r"));
    if (table.fp == nullptr) return names;
    sol::mnttab entry;
    while (sol::getmntent(table.fp, &entry) == 0) {
        if (isLogicalDisk(entry)) names.push_back(field(entry.mnt_special));
    }
    return names;
}

LogicalDisk GetLogicalDisk(const std::string& name, bool withCapacities) {
    LogicalDisk disk;
    disk.name = name;
    MountTable table(sol::fopen(SOL(MNTTAB), "r"));
    if (table.fp == nullptr) throw MountTableError(SOL(MNTTAB));
    sol::mnttab entry;
    while (sol::getmntent(table.fp, &entry) == 0) {
        if (!isLogicalDisk(entry) || entry.mnt_special == nullptr || name != entry.mnt_special) continue;
        disk.mountPoint = field(entry.mnt_mountp);
        disk.fileSystemType = field(entry.mnt_fstype);
        if (withCapacities && entry.mnt_mountp != nullptr) {
            // A file system that cannot report (an NFS server gone away) keeps zero capacities.
            sol::statvfs64_t capacity;
            if (sol::statvfs64(entry.mnt_mountp, &capacity) == 0) {
                disk.size = capacity.f_blocks * capacity.f_frsize;
                disk.available = capacity.f_bavail * capacity.f_frsize;
                disk.free = capacity.f_bfree * capacity.f_frsize;
                disk.blockSize = capacity.f_bsize;
            }
        }
        return disk;
    }
    throw LogicalDiskNotFound(name);
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_enumerateLogicalDiskNames(JNIEnv* env, jobject) {
    jclass cls;
    jmethodID ctor;
    if (!GetClassAndMethod(env, logicalDiskClassName, cls, ctor)) return nullptr;
    return protectedRegion(env, [&]() -> jobject {
        JavaVector disks(env);
        for (const std::string& name : ListLogicalDisks()) {
            // An entry unmounted since the listing is left out.
            try {
                disks.add(makeDisk(name, env, cls, ctor, false));
            } catch (const NativeError&) {
            }
        }
        return disks.get();
    });
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getLogicalDiskByName(JNIEnv* env, jobject, jstring name) {
    jclass cls;
    jmethodID ctor;
    if (!GetClassAndMethod(env, logicalDiskClassName, cls, ctor)) return nullptr;
    JniString diskName(env, name);
    return protectedRegion(env, [&]() -> jobject {
        return makeDisk(fromModifiedUtf8(diskName.chars()), env, cls, ctor, true);
    });
}
