// enumerateLogicalDiskNames and getLogicalDiskByName: the mounted UFS and NFS file systems.
#include "host/SolarisLogicalDisk.h"

#include <cstring>

#include "com_vantor_kelda_providers_solaris_SolarisNativeMethod.h"
#include "host/HostExport.h"
#include "jni/Export.h"
#include "jni/JavaText.h"
#include "jni/JniString.h"
#include "sol/mnttab.h"
#include "sol/statvfs.h"
#include "sol/stdio.h"

namespace {

JAVA_HOLDER(LogicalDiskData,
    "com/vantor/kelda/providers/solaris/SolarisLogicalDiskProvider$SolarisLogicalDisk",
    JAVA_CONSTRUCTOR("(Ljava/lang/String;Ljava/lang/String;Ljava/lang/String;JJJJ)V"))

// Closes the mount table on every way out.
struct MountTable {
    FILE* fp;
    explicit MountTable(FILE* f) : fp(f) {}
    ~MountTable() {
        if (fp != nullptr) sol::fclose(fp);
    }
    MountTable(const MountTable&) = delete;
    MountTable& operator=(const MountTable&) = delete;

    // The next well-formed entry; a malformed line (a positive code) is passed over, so one
    // bad line hides nothing after it. False at the end of the table.
    bool next(sol::mnttab& entry) {
        int result;
        while ((result = sol::getmntent(fp, &entry)) > 0) {}
        return result == 0;
    }
};

bool isLogicalDisk(const sol::mnttab& entry) {
    return entry.mnt_fstype != nullptr &&
           (std::strcmp(entry.mnt_fstype, "ufs") == 0 || std::strcmp(entry.mnt_fstype, "nfs") == 0);
}

std::string field(const char* text) { return text == nullptr ? std::string() : std::string(text); }

// The logical disk of a mount table entry, with its capacities when `withCapacities` is set.
LogicalDisk describe(const sol::mnttab& entry, bool withCapacities) {
    LogicalDisk disk;
    disk.name = field(entry.mnt_special);
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

jobject makeDisk(const LogicalDisk& disk, JNIEnv* env, jni::DataClass<LogicalDiskData>& dataClass) {
    jni::LocalFrame frame(env, 4);
    jstring jname = jni::checked(env, jni::newJavaString(env, disk.name));
    jstring jmount = jni::checked(env, jni::newJavaString(env, disk.mountPoint));
    jstring jtype = jni::checked(env, jni::newJavaString(env, disk.fileSystemType));
    jobject object = dataClass.newObject(jname, jmount, jtype, static_cast<jlong>(disk.size),
                                         static_cast<jlong>(disk.available), static_cast<jlong>(disk.free),
                                         static_cast<jlong>(disk.blockSize));
    return frame.pop(object);
}

}  // namespace

const LogicalDisk& LogicalDiskListing::find(const std::string& name) const {
    auto it = firstByName.find(name);
    if (it == firstByName.end()) throw jni::LogicalDiskNotFound(name);
    return it->second;
}

LogicalDiskListing ReadLogicalDisks() {
    LogicalDiskListing listing;
    MountTable table(sol::fopen(SOL(MNTTAB), "r"));
    if (table.fp == nullptr) return listing;
    sol::mnttab entry;
    while (table.next(entry)) {
        if (!isLogicalDisk(entry)) continue;
        listing.names.push_back(field(entry.mnt_special));
        // A nameless entry is listed but answers no name.
        if (entry.mnt_special != nullptr) listing.firstByName.emplace(entry.mnt_special, describe(entry, false));
    }
    return listing;
}

std::vector<std::string> ListLogicalDisks() { return ReadLogicalDisks().names; }

LogicalDisk GetLogicalDisk(const std::string& name, bool withCapacities) {
    MountTable table(sol::fopen(SOL(MNTTAB), "r"));
    if (table.fp == nullptr) throw jni::MountTableError(SOL(MNTTAB));
    sol::mnttab entry;
    while (table.next(entry)) {
        if (!isLogicalDisk(entry) || entry.mnt_special == nullptr || name != entry.mnt_special) continue;
        LogicalDisk disk = describe(entry, withCapacities);
        disk.name = name;
        return disk;
    }
    throw jni::LogicalDiskNotFound(name);
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_enumerateLogicalDiskNames(JNIEnv* env, jobject) {
    return dataExport<LogicalDiskData>(env, [&](jni::DataClass<LogicalDiskData>& dataClass) {
        // Each entry is built from the same reading that listed it; one that cannot be built
        // is left out.
        LogicalDiskListing listing = ReadLogicalDisks();
        return javaVectorOf(env, listing.names, [&](const std::string& name) -> jobject {
            try {
                return makeDisk(listing.find(name), env, dataClass);
            } catch (const jni::NativeError&) {
                return nullptr;
            }
        });
    });
}

JNIEXPORT jobject JNICALL
Java_com_vantor_kelda_providers_solaris_SolarisNativeMethod_getLogicalDiskByName(JNIEnv* env, jobject, jstring name) {
    return dataExport<LogicalDiskData>(env, [&](jni::DataClass<LogicalDiskData>& dataClass) {
        jni::JniString diskName(env, name);
        return makeDisk(GetLogicalDisk(diskName.text(), true), env, dataClass);
    });
}
