// The instance recipe, the value conversions and the fixed-field texts of the HBA natives,
// against a fake JNI environment that records every call.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeJni.h"
#include "jni/JavaText.h"
#include "kelda/common/hba/InstanceRecipe.h"
#include "kelda/KeldaClasses.h"

using testsupport::FakeJni;

namespace {

// A field of exactly `size` bytes on the heap, so reading or writing past it is caught under
// AddressSanitizer.
std::unique_ptr<char[]> field(const std::string& bytes, size_t size) {
    std::unique_ptr<char[]> out(new char[size]);
    std::memset(out.get(), 0, size);
    std::memcpy(out.get(), bytes.data(), std::min(bytes.size(), size));
    return out;
}

TEST(TerminateString, CleansFixedFieldsInPlace) {
    auto printable = field(std::string(64, 'A'), 64);  // 64 printable bytes, no terminator
    EXPECT_EQ(std::string(63, 'A'), terminateString(printable.get(), 64));

    auto mixed = field("xy\t\xE9z", 16);  // a tab and a byte of 233 vanish
    EXPECT_STREQ("xyz", terminateString(mixed.get(), 16));

    auto six = field("pq\x01\x02rs", 6);  // no terminator, two control bytes
    EXPECT_STREQ("pqrs", terminateString(six.get(), 6));
    EXPECT_EQ(0, six[4]);
    EXPECT_EQ(0, six[5]);

    auto tail = field(std::string("abc\0\x01\x02", 6), 6);  // bytes after the terminator are left alone
    terminateString(tail.get(), 6);
    EXPECT_EQ(0, std::memcmp(tail.get(), "abc\0\x01\x02", 6));

    auto allControl = field("\x80\x81\x82\x83", 4);
    EXPECT_STREQ("", terminateString(allControl.get(), 4));

    auto one = field("z", 1);
    EXPECT_STREQ("", terminateString(one.get(), 1));
    char untouched = 'q';
    EXPECT_EQ(&untouched, terminateString(&untouched, 0));
    EXPECT_EQ('q', untouched);
}

TEST(WorldWideName, TextAndEquality) {
    HBA_WWN a{{0x20, 0x00, 0x00, 0xe0, 0x8b, 0x01, 0x02, 0x03}};
    HBA_WWN b{{0x20, 0x00, 0x00, 0xe0, 0x8b, 0x01, 0x02, 0x04}};
    EXPECT_STREQ("200000e08b010203", toString(a));
    HBA_WWN ff{{0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff}};
    EXPECT_STREQ("ffffffffffffffff", toString(ff));
    EXPECT_TRUE(equal(a, a));
    EXPECT_FALSE(equal(a, b));

    // Each thread has its own text: another thread's call leaves this one's intact.
    const char* mine = toString(a);
    std::string theirs;
    std::thread other([&] { theirs = toString(b); });
    other.join();
    EXPECT_STREQ("200000e08b010203", mine);
    EXPECT_EQ("200000e08b010204", theirs);
}

std::vector<jbyte> bytesOf(FakeJni& jni, const FakeJni::Construction& c) {
    return jni.byteArrays.at(c.objects.at(0));
}

TEST(Unsigned, Uint64PassesSignOneAndBigEndianBytes) {
    FakeJni jni;
    UnsignedInt64::Static cls(jni.env());
    kelda::uint64(cls, 0);
    kelda::uint64(cls, 0x0102030405060708LL);
    kelda::uint64(cls, -1);
    ASSERT_EQ(3u, jni.constructions.size());
    for (const auto& c : jni.constructions) {
        EXPECT_EQ("(I[B)V", c.signature);
        EXPECT_EQ(1, c.intArg);
    }
    EXPECT_EQ(std::vector<jbyte>(8, 0), bytesOf(jni, jni.constructions[0]));
    EXPECT_EQ((std::vector<jbyte>{1, 2, 3, 4, 5, 6, 7, 8}), bytesOf(jni, jni.constructions[1]));
    EXPECT_EQ(std::vector<jbyte>(8, -1), bytesOf(jni, jni.constructions[2]));
    EXPECT_EQ(1, jni.count("GetMethodID javax/wbem/cim/UnsignedInt64.<init>"));  // once per holder
    EXPECT_EQ(3u, jni.deleted.size());  // each byte array is released once the value holds it
}

TEST(Unsigned, Uint32IsZeroExtended) {
    FakeJni jni;
    UnsignedInt32::Static cls(jni.env());
    kelda::uint32(cls, 0xFFFFFFFFu);
    EXPECT_EQ(0xFFFFFFFFLL, jni.constructions.at(0).longArg);
}

struct Recipe : ::testing::Test {
    FakeJni jni;
    KdClass::Static kdClass{jni.env()};
    KdProperty::Static kdProperty{jni.env()};
    KdInstance::Static kdInstance{jni.env()};
    jobject classObject = jni.newObject("com/vantor/kelda/KdClass");
    jobject values = jni.newObject("[Ljava/lang/Object;");
    jobject property = jni.newObject("com/vantor/kelda/KdProperty");

    jobject make(int properties) {
        jni::LocalFrame frame(jni.env(), 20);
        kelda::InstanceValues instance(kdProperty, KdClass(kdClass, classObject));
        for (int i = 0; i < properties; ++i) instance.set(property, nullptr);
        return frame.pop(instance.instance(kdInstance, classObject));
    }
};

TEST_F(Recipe, DefaultsThenPropertiesThenInstanceInOneFrame) {
    jni.results["com/vantor/kelda/KdClass.getDefaultValues"] = values;
    jni.calls.clear();
    ASSERT_NE(nullptr, make(2));
    make(1);
    std::vector<std::string> first(jni.calls.begin(), jni.calls.begin() + 8);
    EXPECT_EQ((std::vector<std::string>{
                  "PushLocalFrame 20",
                  "GetMethodID com/vantor/kelda/KdClass.getDefaultValues ()[Ljava/lang/Object;",
                  "CallObjectMethod com/vantor/kelda/KdClass.getDefaultValues",
                  "GetMethodID com/vantor/kelda/KdProperty.set ([Ljava/lang/Object;Ljava/lang/Object;)V",
                  "CallVoidMethod com/vantor/kelda/KdProperty.set",
                  "CallVoidMethod com/vantor/kelda/KdProperty.set",
                  "GetMethodID com/vantor/kelda/KdInstance.<init> (Lcom/vantor/kelda/KdClass;[Ljava/lang/Object;)V",
                  "NewObject com/vantor/kelda/KdInstance",
              }),
              first);
    EXPECT_EQ("PopLocalFrame result", jni.calls[8]);
    const auto& c = jni.constructions.at(0);
    EXPECT_EQ(classObject, c.objects.at(0));
    EXPECT_EQ(values, c.objects.at(1));
    EXPECT_EQ(0, jni.liveFrames);
    EXPECT_EQ(1, jni.count("GetMethodID com/vantor/kelda/KdProperty.set"));  // second instance reuses the IDs
}

TEST_F(Recipe, ThrowingPropertyDropsTheFrameAndMakesNoFurtherCall) {
    jni.results["com/vantor/kelda/KdClass.getDefaultValues"] = values;
    jni.throwingMethods.insert("com/vantor/kelda/KdProperty.set");
    EXPECT_THROW(make(3), jni::JavaExceptionPending);
    EXPECT_EQ(1, jni.count("CallVoidMethod"));
    EXPECT_EQ(0, jni.count("NewObject"));
    EXPECT_EQ("PopLocalFrame null", jni.calls.back());
    EXPECT_EQ(0, jni.liveFrames);
    EXPECT_EQ(0, jni.callsWithPending);
}

TEST_F(Recipe, RefusedFrameBuildsNothing) {
    jni.missing.insert("PushLocalFrame");
    EXPECT_THROW(make(1), jni::JavaExceptionPending);
    EXPECT_EQ(0, jni.count("CallObjectMethod"));
    EXPECT_EQ(0, jni.count("PopLocalFrame"));
}

TEST(FieldString, CleansBeforeMakingTheString) {
    FakeJni jni;
    auto six = field("pq\x01\x02rs", 6);
    jni::newJavaString(jni.env(), terminateString(six.get(), 6));
    EXPECT_EQ("pqrs", jni.strings.at(0));
}

}  // namespace
