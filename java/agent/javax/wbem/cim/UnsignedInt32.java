package javax.wbem.cim;

/** An unsigned 32-bit CIM value. */
public class UnsignedInt32 extends Number {
    private final long value;

    public UnsignedInt32(long value) {
        if (value < 0 || value > 0xFFFFFFFFL) throw new NumberFormatException("out of range: " + value);
        this.value = value;
    }

    public int intValue() { return (int) value; }
    public long longValue() { return value; }
    public float floatValue() { return value; }
    public double doubleValue() { return value; }

    @Override
    public boolean equals(Object other) {
        return other instanceof UnsignedInt32 && ((UnsignedInt32) other).value == value;
    }

    @Override
    public int hashCode() { return Long.hashCode(value); }

    @Override
    public String toString() { return Long.toString(value); }
}
