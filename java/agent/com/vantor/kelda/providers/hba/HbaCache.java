package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdInstance;
import java.util.List;

/**
 * The Fibre Channel adapters of the host as the HBA library reports them: one tree of
 * adapters, their ports with statistics, the ports discovered through each port and the
 * target mappings behind each discovered port.
 */
public class HbaCache {
    static {
        System.loadLibrary("hostprobe");
    }

    /** An adapter: its instance and one element per port (null where a port could not be read). */
    public static class Hba {
        public final KdInstance instance;
        public final HbaPort[] ports;

        public Hba(KdInstance instance, HbaPort[] ports) {
            this.instance = instance;
            this.ports = ports;
        }
    }

    /** An adapter port: its instance, its statistics (null when unreadable), its discovered ports. */
    public static class HbaPort {
        public final KdInstance instance;
        public final KdInstance statistics;
        public final HbaDiscoveredPort[] discoveredPorts;

        public HbaPort(KdInstance instance, KdInstance statistics, HbaDiscoveredPort[] discoveredPorts) {
            this.instance = instance;
            this.statistics = statistics;
            this.discoveredPorts = discoveredPorts;
        }
    }

    /** A port discovered through an adapter port, with the target mappings behind it. */
    public static class HbaDiscoveredPort {
        public final KdInstance instance;
        public final KdInstance[] targetMappings;

        public HbaDiscoveredPort(KdInstance instance, KdInstance[] targetMappings) {
            this.instance = instance;
            this.targetMappings = targetMappings;
        }
    }

    private volatile boolean forceLeadville;
    private volatile boolean usingLeadville;
    private volatile Hba[] adapters = new Hba[0];

    /** Name every target mapping by the last component of its device path. */
    public boolean forceLeadvilleHeuristicForTargetMappings() {
        return forceLeadville;
    }

    public void setForceLeadvilleHeuristicForTargetMappings(boolean force) {
        this.forceLeadville = force;
    }

    /** Name target mappings under /dev/rdsk/ by the last component of their path. */
    public boolean usingLeadvilleHeuristicForTargetMappings() {
        return usingLeadville;
    }

    public void setUsingLeadvilleHeuristicForTargetMappings(boolean using) {
        this.usingLeadville = using;
    }

    /** Reads every adapter afresh and keeps the tree. */
    public Hba[] refresh(HbaClassNames classNames) {
        Hba[] fresh = fillHbaCache(classNames);
        if (fresh != null) adapters = fresh;
        return fresh;
    }

    public Hba[] getAdapters() {
        return adapters.clone();
    }

    /** The adapter tree, one element per adapter index (null where an adapter could not be read). */
    public native Hba[] fillHbaCache(HbaClassNames classNames);

    /** Appends to `lines` one line of text per fact the HBA library reports. */
    public native void testHbaLibrary(List<String> lines);
}
