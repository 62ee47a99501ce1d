package javax.wbem.cim;

/** An unsigned 8-bit CIM value. */
public class UnsignedInt8 extends Number {
    private final short value;

    public UnsignedInt8(short value) {
        if (value < 0 || value > 0xFF) throw new NumberFormatException("out of range: " + value);
        this.value = value;
    }

    public int intValue() { return value; }
    public long longValue() { return value; }
    public float floatValue() { return value; }
    public double doubleValue() { return value; }

    @Override
    public boolean equals(Object other) {
        return other instanceof UnsignedInt8 && ((UnsignedInt8) other).value == value;
    }

    @Override
    public int hashCode() { return value; }

    @Override
    public String toString() { return Short.toString(value); }
}
