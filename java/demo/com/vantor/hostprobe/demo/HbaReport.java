package com.vantor.hostprobe.demo;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.providers.hba.HbaCache;
import com.vantor.kelda.providers.hba.HbaClassNames;
import java.util.ArrayList;
import java.util.List;

/** The Fibre Channel section of the report: the adapter tree, then the HBA library's own report. */
final class HbaReport {
    private HbaReport() {}

    static void print() {
        System.out.println();
        System.out.println("== Fibre Channel adapters");
        HbaCache cache = new HbaCache();
        cache.setUsingLeadvilleHeuristicForTargetMappings(true);
        HbaCache.Hba[] adapters = cache.fillHbaCache(HbaClassNames.get(KdNamespace.DEFAULT));
        if (adapters == null || adapters.length == 0) {
            System.out.println("  (no adapters)");
        } else {
            for (HbaCache.Hba hba : adapters) adapter(hba);
        }

        System.out.println();
        System.out.println("== HBA library report");
        List<String> lines = new ArrayList<>();
        cache.testHbaLibrary(lines);
        if (lines.isEmpty()) System.out.println("  (the library reports nothing)");
        for (String line : lines) System.out.println("  " + line);
    }

    private static void adapter(HbaCache.Hba hba) {
        if (hba == null) {
            System.out.println("  (adapter could not be read)");
            return;
        }
        KdInstance a = hba.instance;
        System.out.printf("  %s  %s  %s %s (serial %s, driver %s %s, firmware %s)%n", a.get("caption"), a.get("deviceID"),
            a.get("manufacturer"), a.get("model"), a.get("serialNumber"), a.get("driverName"), a.get("driverVersion"),
            a.get("firmwareVersion"));
        for (HbaCache.HbaPort port : hba.ports) {
            if (port == null) {
                System.out.println("    (port could not be read)");
                continue;
            }
            KdInstance p = port.instance;
            System.out.printf("    %s  WWN %s  FC id %s  type %s  state %s  speed %s bit/s  fabric %s%n", p.get("caption"),
                p.get("permanentAddress"), Long.toHexString(((Number) p.get("portFcId")).longValue()),
                p.get("portType"), p.get("portState"), p.get("speed"), p.get("fabricName"));
            KdInstance s = port.statistics;
            if (s == null) {
                System.out.println("      statistics unavailable");
            } else {
                System.out.printf("      frames tx %s rx %s, LIPs %s, link failures %s, CRC errors %s%n",
                    s.get("packetsTransmitted"), s.get("packetsReceived"), s.get("lipCount"), s.get("linkFailures"),
                    s.get("crcErrors"));
            }
            for (HbaCache.HbaDiscoveredPort disco : port.discoveredPorts) {
                if (disco == null) {
                    System.out.println("      (discovered port could not be read)");
                    continue;
                }
                System.out.printf("      discovered %s (node %s)  %d LUN(s)%n", disco.instance.get("permanentAddress"),
                    disco.instance.get("nodeWWN"), disco.targetMappings.length);
                for (KdInstance m : disco.targetMappings) {
                    System.out.printf("        %-24s bus %s target %s lun %s  FCP LUN %s%n", m.get("osDeviceName"),
                        m.get("scsiBus"), m.get("targetId"), m.get("scsiLun"), m.get("exportedLUN"));
                }
            }
        }
    }
}
