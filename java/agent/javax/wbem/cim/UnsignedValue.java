package javax.wbem.cim;

/** An unsigned CIM value of up to 32 bits, checked against the largest value of its width. */
abstract class UnsignedValue extends Number {
    private final long value;

    UnsignedValue(long value, long largest) {
        if (value < 0 || value > largest) throw new NumberFormatException("out of range: " + value);
        this.value = value;
    }

    public int intValue() { return (int) value; }
    public long longValue() { return value; }
    public float floatValue() { return value; }
    public double doubleValue() { return value; }

    /** Equal to a value of the same class and number. */
    @Override
    public boolean equals(Object other) {
        return other != null && other.getClass() == getClass() && ((UnsignedValue) other).value == value;
    }

    @Override
    public int hashCode() { return Long.hashCode(value); }

    @Override
    public String toString() { return Long.toString(value); }
}
