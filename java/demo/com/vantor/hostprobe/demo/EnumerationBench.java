package com.vantor.hostprobe.demo;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.providers.hba.HbaCache;
import com.vantor.kelda.providers.hba.HbaClassNames;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;
import com.vantor.kelda.providers.solaris.SolarisDiskPartitionProvider;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import com.vantor.kelda.providers.solaris.SolarisScsiInterrogator;
import java.lang.management.ManagementFactory;
import java.lang.management.ThreadMXBean;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.function.IntSupplier;

/**
 * Times every enumeration for scripts/bench-enumerations: EnumerationBench RUNS DISK_ID LABEL=HOST...
 * Each HOST description in turn becomes the simulated host (copied over HOSTPROBE_SIMHOST); its
 * first call is timed as the load, then each enumeration once more than RUNS times (the first
 * call apart). Prints one line per enumeration: "host=LABEL name=N elements=E best_ms=B cpu_ms=C
 * first_ms=F", the best wall time and the best processor time of the calling thread (which a
 * machine busy with other work disturbs less).
 */
public final class EnumerationBench {
    private EnumerationBench() {}

    private static int count(HbaCache.Hba[] adapters) {
        int mappings = 0;
        for (HbaCache.Hba hba : adapters) {
            if (hba == null) continue;
            for (HbaCache.HbaPort port : hba.ports) {
                if (port == null) continue;
                for (HbaCache.HbaDiscoveredPort disco : port.discoveredPorts) {
                    if (disco != null) mappings += disco.targetMappings.length;
                }
            }
        }
        return mappings;
    }

    public static void main(String[] args) throws Exception {
        int runs = Integer.parseInt(args[0]);
        String diskId = args[1];
        Path simhost = Paths.get(System.getenv("HOSTPROBE_SIMHOST"));
        SolarisNativeMethod natives = new SolarisNativeMethod();
        HbaClassNames classNames = HbaClassNames.get(KdNamespace.DEFAULT);
        ThreadMXBean threads = ManagementFactory.getThreadMXBean();

        Map<String, IntSupplier> enumerations = new LinkedHashMap<>();
        enumerations.put("enumerateLogicalDiskNames", () -> natives.enumerateLogicalDiskNames().size());
        enumerations.put("enumerateProcessors", () -> natives.enumerateProcessors().size());
        enumerations.put("enumerateCpuUtilizationInfo", () -> natives.enumerateCpuUtilizationInfo().size());
        enumerations.put("enumerateDiskIOInformation", () -> natives.enumerateDiskIOInformation().size());
        enumerations.put("getDiskIOInformation", () -> natives.getDiskIOInformation(diskId) == null ? 0 : 1);
        enumerations.put("enumerateDisks", () -> {
            List<KdInstance> disks = new ArrayList<>();
            new SolarisDiskDriveProvider().enumerateDisks(disks::add);
            return disks.size();
        });
        enumerations.put("enumeratePartitions", () -> {
            List<KdInstance> slices = new ArrayList<>();
            new SolarisDiskPartitionProvider().enumeratePartitions(slices::add);
            return slices.size();
        });
        enumerations.put("fillHbaCache", () -> count(new HbaCache().fillHbaCache(classNames)));
        enumerations.put("scsiInterrogate", () -> {
            String answer = new SolarisScsiInterrogator().scsiInterrogate("SX00000000000001", "SX00000000000002");
            return answer == null || answer.length() < 5 ? 0 : Integer.parseInt(answer.substring(0, 5).trim());
        });

        for (int h = 2; h < args.length; h++) {
            String[] labelled = args[h].split("=", 2);
            String label = labelled[0];
            Path next = simhost.resolveSibling("next-" + h + ".json");
            Files.copy(Paths.get(labelled[1]), next, StandardCopyOption.REPLACE_EXISTING);
            Files.move(next, simhost, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
            long start = System.nanoTime();
            natives.getComputerSystem();  // the first call after the change loads the description
            double load = (System.nanoTime() - start) / 1e6;
            System.out.printf("host=%s name=load elements=1 best_ms=%.3f cpu_ms=%.3f first_ms=%.3f%n", label, load,
                              load, load);
            for (Map.Entry<String, IntSupplier> e : enumerations.entrySet()) {
                double best = Double.MAX_VALUE, cpu = Double.MAX_VALUE, first = 0;
                int elements = 0;
                for (int r = 0; r <= runs; r++) {
                    long c = threads.getCurrentThreadCpuTime();
                    long s = System.nanoTime();
                    elements = e.getValue().getAsInt();
                    double ms = (System.nanoTime() - s) / 1e6;
                    double cpuMs = (threads.getCurrentThreadCpuTime() - c) / 1e6;
                    if (r == 0) {
                        first = ms;
                    } else {
                        best = Math.min(best, ms);
                        cpu = Math.min(cpu, cpuMs);
                    }
                }
                System.out.printf("host=%s name=%s elements=%d best_ms=%.3f cpu_ms=%.3f first_ms=%.3f%n", label,
                                  e.getKey(), elements, best, cpu, first);
            }
        }
    }
}
