package javax.wbem.cim;

/** An unsigned 8-bit CIM value. */
public class UnsignedInt8 extends UnsignedValue {
    public UnsignedInt8(short value) {
        super(value, 0xFF);
    }
}
