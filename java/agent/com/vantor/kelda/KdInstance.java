package com.vantor.kelda;

import java.util.LinkedHashMap;
import java.util.Map;

/** One provider instance: its class and its values array. */
public final class KdInstance {
    private final KdClass kdClass;
    private final Object[] values;

    public KdInstance(KdClass kdClass, Object[] values) {
        if (kdClass == null || values == null) throw new NullPointerException("KdInstance needs a class and values");
        this.kdClass = kdClass;
        this.values = values;
    }

    public KdClass getKdClass() {
        return kdClass;
    }

    public Object[] getValues() {
        return values;
    }

    /** The value of the named property of the instance's class. */
    public Object get(String propertyName) {
        KdProperty property = kdClass.getProperty(propertyName);
        if (property == null) {
            throw new IllegalArgumentException(kdClass.getName() + " has no property " + propertyName);
        }
        return property.get(values);
    }

    /** Property names and values in the class's order. */
    public Map<String, Object> asMap() {
        Map<String, Object> map = new LinkedHashMap<>();
        for (KdProperty property : kdClass.getProperties()) map.put(property.getName(), property.get(values));
        return map;
    }

    @Override
    public String toString() {
        return kdClass.getName() + asMap();
    }
}
