package com.vantor.kelda.providers.solaris;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdProperty;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

/**
 * What the disk providers share: the instance built from the values the natives gathered for
 * one device, and the hooks through which tests watch and steer those calls.
 */
public abstract class DeviceInstanceFactory {
    /** Keys (device ids or entry names) for which the factory returns null. */
    public final Set<String> returnNullFor = new HashSet<>();
    /** Keys for which the factory throws IllegalStateException. */
    public final Set<String> throwFor = new HashSet<>();
    /** The arguments of every factory call, in order. */
    protected final List<Object[]> calls = Collections.synchronizedList(new ArrayList<>());

    private final KdClass kdClass;
    private final String factoryName;

    protected DeviceInstanceFactory(KdClass kdClass, String factoryName) {
        this.kdClass = kdClass;
        this.factoryName = factoryName;
    }

    /**
     * Records the arguments; throws or returns null when asked to for {@code key}; otherwise
     * the instance whose properties, in the class's order, take the arguments.
     */
    protected KdInstance make(String key, Object... arguments) {
        calls.add(arguments);
        if (throwFor.contains(key)) throw new IllegalStateException(factoryName + " refused " + key);
        if (returnNullFor.contains(key)) return null;
        Object[] values = kdClass.getDefaultValues();
        List<KdProperty> properties = kdClass.getProperties();
        for (int i = 0; i < properties.size(); i++) properties.get(i).set(values, arguments[i]);
        return new KdInstance(kdClass, values);
    }
}
