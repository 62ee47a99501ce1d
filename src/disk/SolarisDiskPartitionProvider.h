// The disk partition provider: every slice of "/dev/rdsk" whose device opens and answers the
// disk ioctls, built as instances by the Java provider's makePartition1.
#pragma once
#include <jni.h>

#include <cstdint>

#include "disk/DiskProviderWorker.h"
#include "kelda/KeldaClasses.h"

class SolarisDiskPartitionProvider : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/providers/solaris/SolarisDiskPartitionProvider",
        JAVA_STATIC_FIELD(_class, "Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(makePartition1, "(Ljava/lang/String;Ljava/lang/String;IISSZ)Lcom/vantor/kelda/KdInstance;"))
    JAVA_WRAPPER(SolarisDiskPartitionProvider)

    jobject makePartition1(jstring name, jstring deviceId, jint slice, jint size, jshort tag, jshort flags,
                           jboolean mounted) {
        return callObject(holder().meth_makePartition1(), name, deviceId, slice, size, tag, flags, mounted);
    }
};

// The worker of one call.
class DiskPartitionImpl : private disk::DiskProviderWorker<SolarisDiskPartitionProvider> {
public:
    using DiskProviderWorker::DiskProviderWorker;

    // Hands each slice to the receiver, in directory order.
    void EnumeratePartitions(jobject receiver);
    // The slice of an entry name such as c0t0d0s3, or null.
    jobject GetPartition(jstring name);
    // The slice of an entry name, or null.
    jobject MakePartition(const char* name);
    jobject MakePartition1(const char* name, const char* deviceId, int slice, long size, int tag, int flags,
                           bool mounted);
};
