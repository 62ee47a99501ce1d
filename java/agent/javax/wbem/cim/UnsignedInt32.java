package javax.wbem.cim;

/** An unsigned 32-bit CIM value. */
public class UnsignedInt32 extends UnsignedValue {
    public UnsignedInt32(long value) {
        super(value, 0xFFFFFFFFL);
    }
}
