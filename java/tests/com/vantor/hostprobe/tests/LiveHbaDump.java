package com.vantor.hostprobe.tests;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.providers.hba.HbaCache;
import com.vantor.kelda.providers.hba.HbaClassNames;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;

/**
 * What the adapter natives answer on the machine it runs on, one line an adapter, port,
 * statistics record, discovered port and target mapping, followed by the disk drives, for
 * scripts/test-live-hba to compare with systool and the sysfs tree.
 */
public final class LiveHbaDump {
    private LiveHbaDump() {}

    private static String hex(Object value) {
        return Long.toHexString(((Number) value).longValue());
    }

    public static void main(String[] args) {
        HbaCache cache = new HbaCache();
        HbaCache.Hba[] adapters = cache.fillHbaCache(HbaClassNames.get(KdNamespace.DEFAULT));
        for (HbaCache.Hba hba : adapters) {
            if (hba == null) {
                System.out.println("adapter unreadable");
                continue;
            }
            System.out.printf("adapter %s%n", hba.instance.get("name"));
            for (HbaCache.HbaPort port : hba.ports) {
                KdInstance p = port.instance;
                System.out.printf("port %s %s %s %s %s%n", p.get("permanentAddress"), p.get("nodeWWN"),
                    hex(p.get("portFcId")), p.get("supportedMaximumTransmissionUnit"), p.get("fabricName"));
                KdInstance s = port.statistics;
                System.out.printf("stats %s %s %s %s %s %s %s %s %s %s %s %s%n", s.get("packetsTransmitted"),
                    s.get("packetsReceived"), s.get("lipCount"), s.get("nosCount"), s.get("errorFrames"),
                    s.get("dumpedFrames"), s.get("linkFailures"), s.get("lossOfSyncCounter"),
                    s.get("lossOfSignalCounter"), s.get("primitiveSeqProtocolErrCount"),
                    s.get("invalidTransmissionWords"), s.get("crcErrors"));
                for (HbaCache.HbaDiscoveredPort disco : port.discoveredPorts) {
                    KdInstance d = disco.instance;
                    System.out.printf("disc %s %s %s %s%n", d.get("permanentAddress"), d.get("nodeWWN"),
                        hex(d.get("portFcId")), d.get("supportedMaximumTransmissionUnit"));
                    for (KdInstance m : disco.targetMappings) {
                        System.out.printf("map %s %s %s %s %s%n", m.get("discoveredPortWWN"), m.get("scsiBus"),
                            m.get("targetId"), m.get("scsiLun"), m.get("osDeviceName"));
                    }
                }
            }
        }
        new SolarisDiskDriveProvider().enumerateDisks(d -> System.out.printf("disk %s%n", d.get("DeviceID")));
    }
}
