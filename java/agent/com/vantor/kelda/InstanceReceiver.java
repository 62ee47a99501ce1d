package com.vantor.kelda;

/** Takes the instances an enumeration delivers, one by one. */
public interface InstanceReceiver {
    void test(KdInstance instance);
}
