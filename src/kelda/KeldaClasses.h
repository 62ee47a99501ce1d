// The agent classes shared by the HBA and disk natives: the Kelda object model, the HBA class
// names of a namespace, the instance receiver of the enumerations, and the CIM unsigned values.
#pragma once
#include <jni.h>

#include "jni/ClassHolder.h"

// The class object of a provider: its default values, name and namespace.
class KdClass : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/KdClass",
        JAVA_METHOD(getDefaultValues, "()[Ljava/lang/Object;")
        JAVA_METHOD(getName, "()Ljava/lang/String;")
        JAVA_METHOD(getNamespace, "()Lcom/vantor/kelda/KdNamespace;"))
    JAVA_WRAPPER(KdClass)

    // A fresh values array holding the class's defaults.
    jobjectArray getDefaultValues() { return callObject<jobjectArray>(holder().meth_getDefaultValues()); }
    jstring getName() { return callObject<jstring>(holder().meth_getName()); }
    jobject getNamespace() { return callObject(holder().meth_getNamespace()); }
};

// One property of a provider class: knows its place in a values array.
class KdProperty : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/KdProperty",
        JAVA_METHOD(set, "([Ljava/lang/Object;Ljava/lang/Object;)V"))
    JAVA_WRAPPER(KdProperty)

    void set(jobjectArray values, jobject value) { callVoid(holder().meth_set(), values, value); }
};

JAVA_HOLDER(KdInstance, "com/vantor/kelda/KdInstance",
    JAVA_CONSTRUCTOR("(Lcom/vantor/kelda/KdClass;[Ljava/lang/Object;)V"))

// Takes the instances an enumeration delivers, one by one.
class InstanceReceiver : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/InstanceReceiver",
        JAVA_METHOD(test, "(Lcom/vantor/kelda/KdInstance;)V"))
    JAVA_WRAPPER(InstanceReceiver)

    void test(jobject instance) { callVoid(holder().meth_test(), instance); }
};

// The provider class objects of one namespace.
class HbaClassNames : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/providers/hba/HbaClassNames",
        JAVA_STATIC_METHOD(get, "(Lcom/vantor/kelda/KdNamespace;)Lcom/vantor/kelda/providers/hba/HbaClassNames;")
        JAVA_METHOD(getHostBusAdapterClass, "()Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(getHbaPortClass, "()Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(getHbaDiscoveredPortClass, "()Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(getFCPortStatisticsClass, "()Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(getTargetMappingClass, "()Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(getComputerSystemClass, "()Lcom/vantor/kelda/KdClass;")
        JAVA_METHOD(getSystemName, "()Ljava/lang/String;")
        JAVA_METHOD(isKeepOsDeviceName, "()Z")
        // The class-names object of `kdNamespace` (HbaClassNames.get).
        jobject get(jobject kdNamespace) { return callStaticObject(meth_get(), kdNamespace); })
    JAVA_WRAPPER(HbaClassNames)

    jobject getHostBusAdapterClass() { return callObject(holder().meth_getHostBusAdapterClass()); }
    jobject getHbaPortClass() { return callObject(holder().meth_getHbaPortClass()); }
    jobject getHbaDiscoveredPortClass() { return callObject(holder().meth_getHbaDiscoveredPortClass()); }
    jobject getFCPortStatisticsClass() { return callObject(holder().meth_getFCPortStatisticsClass()); }
    jobject getTargetMappingClass() { return callObject(holder().meth_getTargetMappingClass()); }
    jobject getComputerSystemClass() { return callObject(holder().meth_getComputerSystemClass()); }
    jstring getSystemName() { return callObject<jstring>(holder().meth_getSystemName()); }
    bool isKeepOsDeviceName() { return callBoolean(holder().meth_isKeepOsDeviceName()); }
};

JAVA_HOLDER(UnsignedInt64, "javax/wbem/cim/UnsignedInt64", JAVA_CONSTRUCTOR("(I[B)V"))
JAVA_HOLDER(UnsignedInt32, "javax/wbem/cim/UnsignedInt32", JAVA_CONSTRUCTOR("(J)V"))
JAVA_HOLDER(UnsignedInt16, "javax/wbem/cim/UnsignedInt16", JAVA_CONSTRUCTOR("(I)V"))

