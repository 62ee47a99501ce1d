// Building provider instances and the Java values that go into them.
//
// The recipe of one instance (each step checked; see ClassHolder.h):
//
//     jni::LocalFrame frame(env, 20);               // the references of this instance
//     KdClass portClass(kdClass, classNames.getHbaPortClass());
//     kelda::InstanceValues values(kdProperty, portClass);  // getDefaultValues
//     values.setText(hbaPortProvider.get_portWWN(), toString(attributes.PortWWN));
//     ...
//     return frame.pop(values.instance(kdInstance, classNames.getHbaPortClass()));
#pragma once
#include <time.h>  // hbaapi.h uses struct tm without including it
#include <hbaapi.h>
#include <jni.h>

#include <cstdint>

#include "kelda/KeldaClasses.h"

namespace kelda {

// The values array of one instance being built.
class InstanceValues {
public:
    // A fresh values array from the class object's defaults (KdClass.getDefaultValues).
    InstanceValues(KdProperty::Static& properties, KdClass kdClass);
    // An array made by the caller.
    InstanceValues(KdProperty::Static& properties, jobjectArray values);

    // Stores `value` where the property object `property` puts it (KdProperty.set).
    void set(jobject property, jobject value);
    // Stores a new Java string of `text` (newJavaString) the same way.
    void setText(jobject property, const char* text);

    // A new KdInstance of the class object `kdClass` with these values.
    jobject instance(KdInstance::Static& instances, jobject kdClass);

    jobjectArray array() const { return values_; }

private:
    KdProperty::Static& properties_;
    jobjectArray values_;
};

// An UnsignedInt64 of the 64 bits of `value`: sign 1 and the eight bytes, most significant
// first, so a counter of all ones is 2^64 - 1.
jobject uint64(UnsignedInt64::Static& cls, long long value);

// An UnsignedInt32 of the unsigned 32-bit value.
jobject uint32(UnsignedInt32::Static& cls, uint32_t value);

// An UnsignedInt16 of the value.
jobject uint16(UnsignedInt16::Static& cls, int value);

}  // namespace kelda

// Cleans a fixed-size C text field in place and returns it: control bytes and bytes of 128
// and above are removed (the rest moves left, the freed place becomes NUL), and a field
// without a terminator loses its last byte to one. Only the `size` bytes are touched.
char* terminateString(char* text, int size);

// The 16 lowercase hexadecimal digits of a world-wide name. The text lives in a buffer of the
// calling thread and is overwritten by that thread's next call.
const char* toString(const HBA_WWN& wwn);

// True when the eight bytes of both names match.
bool equal(const HBA_WWN& a, const HBA_WWN& b);
