// What the per-call workers of the disk providers share: the class holders of one call, the
// class names of the provider's namespace, the walk of "/dev/rdsk" that hands each instance to
// the receiver, and the two exports around a worker.
#pragma once
#include <jni.h>

#include <string>

#include "devices/DeviceDirectory.h"
#include "jni/Export.h"
#include "jni/LocalRef.h"
#include "kelda/KeldaClasses.h"
#include "sol/dirent.h"
#include "sol/unistd.h"

namespace disk {

// The path of a "/dev/rdsk" entry.
inline std::string rawDevicePath(const std::string& entryName) {
    return std::string(devices::kRawDeviceDirectory) + "/" + entryName;
}

// The base of a worker. `Provider` wraps the Java provider.
// Every step that meets a pending Java exception raises JavaExceptionPending.
template <class Provider>
class DiskProviderWorker {
public:
    // Looks up the classes, wraps the provider and fetches the class names of its namespace.
    DiskProviderWorker(JNIEnv* env, jobject providerObject)
        : env(env),
          kdClass(env),
          kdProperty(env),
          kdInstance(env),
          instanceReceiver(env),
          providerClass(env),
          hbaClassNames(env),
          provider(providerClass, providerObject),
          classNames(nullptr) {
        KdClass providerKdClass(kdClass, providerClass.get__class());
        classNames = hbaClassNames.get(providerKdClass.getNamespace());
    }

protected:
    // Hands the receiver the instance `make` builds of each "/dev/rdsk" entry name that
    // `accept` takes, in directory order; `make` may give null for none.
    template <class Accept, class Make>
    void deliverEntries(jobject receiverObject, Accept accept, Make make) {
        InstanceReceiver receiver(instanceReceiver, receiverObject);
        devices::DeviceDirectory directory(devices::kRawDeviceDirectory);
        while (const sol::dirent* entry = directory.next()) {
            std::string name = devices::entryName(*entry);
            if (!accept(name)) continue;
            jni::LocalRef<jobject> instance(env, make(name.c_str()));
            if (instance) receiver.test(instance.get());
        }
    }

    JNIEnv* env;
    KdClass::Static kdClass;
    KdProperty::Static kdProperty;
    KdInstance::Static kdInstance;
    InstanceReceiver::Static instanceReceiver;
    typename Provider::Static providerClass;
    HbaClassNames::Static hbaClassNames;
    Provider provider;
    jobject classNames;
};

// The enumeration export: room for 2000 local references (refused: return at once), the
// worker of the call built (a failure reaches the caller, as kUnknownException states), then
// `walk(worker)` with the failure policy of the provider's walk.
template <class Worker, class Walk>
void enumerationExport(JNIEnv* env, jobject self, jni::FailurePolicy walkPolicy, Walk&& walk) noexcept {
    if (env->EnsureLocalCapacity(2000) < 0) return;
    jni::guardedExport(env, jni::kUnknownException, [&] {
        Worker worker(env, self);
        jni::guardedExport(env, walkPolicy, [&] { walk(worker); });
    });
}

// The single-instance export: room for 1000 local references (refused: null), then the
// instance `lookup(worker)` gives; null on any failure (kUnknownException).
template <class Worker, class Lookup>
jobject lookupExport(JNIEnv* env, jobject self, Lookup&& lookup) noexcept {
    if (env->EnsureLocalCapacity(1000) < 0) return nullptr;
    return jni::guardedExport<jobject>(env, jni::kUnknownException, nullptr, [&] {
        Worker worker(env, self);
        return lookup(worker);
    });
}

}  // namespace disk
