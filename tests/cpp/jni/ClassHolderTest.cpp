// The class holders, against a fake JNI environment that records every call.
#include <gtest/gtest.h>

#include "FakeJni.h"
#include "kelda/KeldaClasses.h"

using testsupport::FakeJni;

TEST(Holder, MembersResolveOnFirstUseAndOnlyOnce) {
    FakeJni jni;
    KdClass::Static kdClass(jni.env());
    EXPECT_EQ(1, jni.count("FindClass com/vantor/kelda/KdClass"));
    EXPECT_EQ(0, jni.count("GetMethodID"));  // nothing resolved until used

    jobject a = jni.newObject("com/vantor/kelda/KdClass");
    jobject b = jni.newObject("com/vantor/kelda/KdClass");
    KdClass(kdClass, a).getNamespace();
    KdClass(kdClass, b).getNamespace();
    KdClass(kdClass, a).getName();
    EXPECT_EQ(1, jni.count("GetMethodID com/vantor/kelda/KdClass.getNamespace ()Lcom/vantor/kelda/KdNamespace;"));
    EXPECT_EQ(1, jni.count("GetMethodID com/vantor/kelda/KdClass.getName ()"));
    EXPECT_EQ(2, jni.count("CallObjectMethod com/vantor/kelda/KdClass.getNamespace"));

    // Static methods and fields resolve with their own lookups.
    HbaClassNames::Static names(jni.env());
    names.get(nullptr);
    names.get(nullptr);
    EXPECT_EQ(1, jni.count("GetStaticMethodID com/vantor/kelda/providers/hba/HbaClassNames.get"));
    EXPECT_EQ(2, jni.count("CallStaticObjectMethod com/vantor/kelda/providers/hba/HbaClassNames.get"));
}

TEST(Holder, FailedLookupStopsWithTheExceptionPendingAndIsRetriedLater) {
    FakeJni jni;
    jni.missing.insert("com/vantor/kelda/KdProperty");
    EXPECT_THROW(KdProperty::Static(jni.env()), jni::JavaExceptionPending);

    jni.pending = false;
    jni.missing = {"com/vantor/kelda/KdClass.getName"};
    KdClass::Static kdClass(jni.env());
    KdClass object(kdClass, jni.newObject("com/vantor/kelda/KdClass"));
    EXPECT_THROW(object.getName(), jni::JavaExceptionPending);
    EXPECT_EQ(0, jni.count("CallObjectMethod"));  // no call with the exception pending

    jni.pending = false;
    jni.missing.clear();
    object.getName();
    EXPECT_EQ(2, jni.count("GetMethodID com/vantor/kelda/KdClass.getName ()"));
    EXPECT_EQ(1, jni.count("CallObjectMethod"));
    EXPECT_EQ(0, jni.callsWithPending);
}

TEST(Holder, CallOnNullObjectRaisesNullPointerException) {
    FakeJni jni;
    InstanceReceiver::Static receivers(jni.env());
    InstanceReceiver none(receivers, nullptr);
    EXPECT_THROW(none.test(nullptr), jni::JavaExceptionPending);
    EXPECT_TRUE(jni.pending);
    EXPECT_EQ(1, jni.count("ThrowNew java/lang/NullPointerException"));
    EXPECT_EQ(0, jni.count("CallVoidMethod"));
}
