package javax.wbem.cim;

/** An unsigned 16-bit CIM value. */
public class UnsignedInt16 extends Number {
    private final int value;

    public UnsignedInt16(int value) {
        if (value < 0 || value > 0xFFFF) throw new NumberFormatException("out of range: " + value);
        this.value = value;
    }

    public int intValue() { return value; }
    public long longValue() { return value; }
    public float floatValue() { return value; }
    public double doubleValue() { return value; }

    @Override
    public boolean equals(Object other) {
        return other instanceof UnsignedInt16 && ((UnsignedInt16) other).value == value;
    }

    @Override
    public int hashCode() { return value; }

    @Override
    public String toString() { return Integer.toString(value); }
}
