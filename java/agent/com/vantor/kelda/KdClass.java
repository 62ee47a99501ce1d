package com.vantor.kelda;

import java.util.Arrays;
import java.util.Collections;
import java.util.List;

/** A provider class: its name, namespace and properties. */
public final class KdClass {
    private final String name;
    private final KdNamespace namespace;
    private final List<KdProperty> properties;
    private final int size;

    public KdClass(String name, KdNamespace namespace, KdProperty... properties) {
        this.name = name;
        this.namespace = namespace;
        this.properties = Collections.unmodifiableList(Arrays.asList(properties.clone()));
        int max = -1;
        for (KdProperty property : properties) max = Math.max(max, property.getIndex());
        this.size = max + 1;
    }

    public String getName() {
        return name;
    }

    public KdNamespace getNamespace() {
        return namespace;
    }

    public List<KdProperty> getProperties() {
        return properties;
    }

    /** A fresh values array: one null slot per property. */
    public Object[] getDefaultValues() {
        return new Object[size];
    }

    /** The property of that name, or null. */
    public KdProperty getProperty(String propertyName) {
        for (KdProperty property : properties) {
            if (property.getName().equals(propertyName)) return property;
        }
        return null;
    }

    @Override
    public String toString() {
        return namespace + ":" + name;
    }
}
