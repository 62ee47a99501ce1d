package javax.wbem.cim;

/** An unsigned 16-bit CIM value. */
public class UnsignedInt16 extends UnsignedValue {
    public UnsignedInt16(int value) {
        super(value, 0xFFFF);
    }
}
