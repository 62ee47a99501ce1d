package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;
import java.util.HashMap;
import java.util.Map;

/**
 * The provider classes of one namespace, as the HBA and disk natives ask for them. One object
 * per namespace. A provider class object is the static field "_class" of its provider, found
 * by name so that providers may come and go independently of this class.
 */
public class HbaClassNames {
    private static final Map<KdNamespace, HbaClassNames> byNamespace = new HashMap<>();

    private final KdNamespace namespace;
    private final KdClass computerSystemClass;
    private volatile String systemName = "localhost";
    private volatile boolean keepOsDeviceName;

    protected HbaClassNames(KdNamespace namespace) {
        this.namespace = namespace;
        this.computerSystemClass = new KdClass("Solaris_ComputerSystem", namespace,
                                               new KdProperty("Name", 0));
    }

    /** The class-names object of the namespace (made on first request). */
    public static synchronized HbaClassNames get(KdNamespace namespace) {
        return byNamespace.computeIfAbsent(namespace, HbaClassNames::new);
    }

    public KdNamespace getNamespace() {
        return namespace;
    }

    public KdClass getHostBusAdapterClass() {
        return providerClass("HostBusAdapterProvider");
    }

    public KdClass getHbaPortClass() {
        return providerClass("HbaPortProvider");
    }

    public KdClass getHbaDiscoveredPortClass() {
        return providerClass("HbaDiscoveredPortProvider");
    }

    public KdClass getFCPortStatisticsClass() {
        return providerClass("FCPortStatisticsProvider");
    }

    public KdClass getTargetMappingClass() {
        return providerClass("TargetMappingProvider");
    }

    public KdClass getComputerSystemClass() {
        return computerSystemClass;
    }

    public String getSystemName() {
        return systemName;
    }

    public void setSystemName(String systemName) {
        this.systemName = systemName;
    }

    /** Whether target mappings keep the device name the HBA library reports. */
    public boolean isKeepOsDeviceName() {
        return keepOsDeviceName;
    }

    public void setKeepOsDeviceName(boolean keepOsDeviceName) {
        this.keepOsDeviceName = keepOsDeviceName;
    }

    /** The "_class" of provider `simpleName` in this package, or null when there is none. */
    protected KdClass providerClass(String simpleName) {
        try {
            Class<?> provider = Class.forName(getClass().getPackage().getName() + "." + simpleName);
            return (KdClass) provider.getField("_class").get(null);
        } catch (ReflectiveOperationException | ClassCastException e) {
            return null;
        }
    }
}
