// What the per-call workers of the disk providers share: the class holders of one call, the
// class names of the provider's namespace, and the walk of "/dev/rdsk" that hands each
// instance to the receiver.
#pragma once
#include <jni.h>

#include <cstring>
#include <string>

#include "disk/DeviceHandles.h"
#include "kelda/common/hba/KeldaClasses.h"
#include "sol/dirent.h"
#include "sol/unistd.h"

namespace disk {

// The directory of the raw disk devices.
inline const char* const kRawDeviceDirectory = "/dev/rdsk";

// The path of a "/dev/rdsk" entry.
inline std::string rawDevicePath(const std::string& entryName) {
    return std::string(kRawDeviceDirectory) + "/" + entryName;
}

// No class holders beyond the common ones.
struct NoMoreClasses {
    explicit NoMoreClasses(JNIEnv*) {}
};

// The base of a worker. `Provider` wraps the Java provider; `MoreClasses` holds the holders a
// worker needs beyond the common ones, looked up after them and before the provider's class.
// Every step that meets a pending Java exception raises JavaExceptionPending.
template <class Provider, class MoreClasses = NoMoreClasses>
class DiskProviderWorker {
protected:
    // Looks up the classes, wraps the provider and fetches the class names of its namespace.
    DiskProviderWorker(JNIEnv* env, jobject providerObject)
        : env(env),
          kdClass(env),
          kdProperty(env),
          kdInstance(env),
          instanceReceiver(env),
          unsignedInt64(env),
          unsignedInt32(env),
          unsignedInt16(env),
          moreClasses(env),
          providerClass(env),
          hbaClassNames(env),
          provider(providerClass, providerObject),
          classNames(nullptr) {
        KdClass providerKdClass(kdClass, providerClass.get__class());
        classNames = hbaClassNames.get(providerKdClass.getNamespace());
    }

    // Hands the receiver the instance `make` builds of each "/dev/rdsk" entry name that
    // `accept` takes, in directory order; `make` may give null for none.
    template <class Accept, class Make>
    void deliverEntries(jobject receiverObject, Accept accept, Make make) {
        InstanceReceiver receiver(instanceReceiver, receiverObject);
        Directory directory(sol::opendir(kRawDeviceDirectory));
        if (directory.get() == nullptr) return;
        while (sol::dirent* entry = sol::readdir(directory.get())) {
            std::string name(entry->d_name, strnlen(entry->d_name, sizeof entry->d_name));
            if (!accept(name)) continue;
            jobject instance = make(name.c_str());
            if (instance != nullptr) receiver.test(instance);
            env->DeleteLocalRef(instance);
        }
    }

    JNIEnv* env;
    KdClass::Static kdClass;
    KdProperty::Static kdProperty;
    KdInstance::Static kdInstance;
    InstanceReceiver::Static instanceReceiver;
    UnsignedInt64::Static unsignedInt64;
    UnsignedInt32::Static unsignedInt32;
    UnsignedInt16::Static unsignedInt16;
    MoreClasses moreClasses;
    typename Provider::Static providerClass;
    HbaClassNames::Static hbaClassNames;
    Provider provider;
    jobject classNames;
};

}  // namespace disk
