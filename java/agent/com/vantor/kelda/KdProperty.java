package com.vantor.kelda;

/** One property of a provider class: its name and its place in an instance's values array. */
public final class KdProperty {
    private final String name;
    private final int index;

    public KdProperty(String name, int index) {
        this.name = name;
        this.index = index;
    }

    public String getName() {
        return name;
    }

    public int getIndex() {
        return index;
    }

    /** Stores the value at this property's place in the values array. */
    public void set(Object[] values, Object value) {
        values[index] = value;
    }

    public Object get(Object[] values) {
        return values[index];
    }

    @Override
    public String toString() {
        return name;
    }
}
