package com.vantor.kelda;

/** A CIM namespace of provider classes, such as "root/vantor". */
public final class KdNamespace {
    public static final KdNamespace DEFAULT = new KdNamespace("root/vantor");

    private final String name;

    public KdNamespace(String name) {
        this.name = name;
    }

    public String getName() {
        return name;
    }

    @Override
    public boolean equals(Object other) {
        return other instanceof KdNamespace && ((KdNamespace) other).name.equals(name);
    }

    @Override
    public int hashCode() {
        return name.hashCode();
    }

    @Override
    public String toString() {
        return name;
    }
}
