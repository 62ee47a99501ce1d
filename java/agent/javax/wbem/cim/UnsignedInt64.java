package javax.wbem.cim;

import java.math.BigInteger;

/** An unsigned 64-bit CIM value, made from a sign and magnitude bytes (most significant first). */
public class UnsignedInt64 extends Number {
    private final int signum;
    private final byte[] bytes;
    private final BigInteger value;

    public UnsignedInt64(int signum, byte[] magnitude) {
        this.signum = signum;
        this.bytes = magnitude.clone();
        this.value = new BigInteger(signum, magnitude);
        if (value.signum() < 0 || value.bitLength() > 64) throw new NumberFormatException("out of range: " + value);
    }

    public UnsignedInt64(BigInteger value) {
        this(value.signum(), value.toByteArray());
    }

    /** The sign the value was made with. */
    public int signum() { return signum; }

    /** The bytes the value was made with. */
    public byte[] toByteArray() { return bytes.clone(); }

    public BigInteger bigIntegerValue() { return value; }

    public int intValue() { return value.intValue(); }
    public long longValue() { return value.longValue(); }
    public float floatValue() { return value.floatValue(); }
    public double doubleValue() { return value.doubleValue(); }

    @Override
    public boolean equals(Object other) {
        return other instanceof UnsignedInt64 && ((UnsignedInt64) other).value.equals(value);
    }

    @Override
    public int hashCode() { return value.hashCode(); }

    @Override
    public String toString() { return value.toString(); }
}
