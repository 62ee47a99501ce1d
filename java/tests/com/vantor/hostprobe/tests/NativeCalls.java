package com.vantor.hostprobe.tests;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.providers.hba.HbaCache;
import com.vantor.kelda.providers.hba.HbaClassNames;
import com.vantor.kelda.providers.solaris.SolarisAuthenticator;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;
import com.vantor.kelda.providers.solaris.SolarisDiskPartitionProvider;
import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import com.vantor.kelda.providers.solaris.SolarisScsiInterrogator;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.Callable;

/**
 * Every native of both libraries, with arguments that reach real data on the demo host, as
 * calls whose answers render to comparable text. The agent's Java objects are shared by all
 * callers, as in the agent; each scan job scans a tree of its own.
 */
final class NativeCalls {
    static final String ARRAY_1 = "SX40702301000001";
    static final String ARRAY_2 = "SX40702301000002";

    private final SolarisNativeMethod natives = new SolarisNativeMethod();
    private final SolarisDiskDriveProvider disks = new SolarisDiskDriveProvider();
    private final SolarisDiskPartitionProvider partitions = new SolarisDiskPartitionProvider();
    private final SolarisScsiInterrogator interrogator = new SolarisScsiInterrogator();
    private final SolarisAuthenticator authenticator = new SolarisAuthenticator();
    private final HbaCache hbaCache = new HbaCache();
    private final HbaClassNames classNames = HbaClassNames.get(KdNamespace.DEFAULT);

    static String demoHost() throws IOException {
        return new String(Files.readAllBytes(Paths.get(System.getProperty("hostprobe.source"), "hosts", "demo.json")),
                          StandardCharsets.UTF_8);
    }

    /** A small tree to scan: three directories of four files and one nested directory. */
    static void buildTree(Path root) throws IOException {
        Files.createDirectories(root);
        for (int d = 0; d < 3; d++) {
            Path dir = Files.createDirectories(root.resolve("d" + d).resolve("inner"));
            for (int f = 0; f < 4; f++) Files.write(dir.getParent().resolve("f" + f), new byte[f * 10]);
        }
    }

    /** The reports of a scan of `root` and every record of its database. */
    static Object scan(int jobId, Path root) throws Exception {
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(jobId, root.toString(), null);
        List<Object> answer = new ArrayList<>(job.reports());
        String file = job.reports().get(job.reports().size() - 1)[3];
        if (!file.isEmpty()) answer.add(ScanDatabase.read(file));
        return answer;
    }

    /** Every libhostprobe native, by a name for messages. */
    Map<String, Callable<Object>> hostprobe() {
        Map<String, Callable<Object>> calls = new LinkedHashMap<>();
        calls.put("getComputerSystem", natives::getComputerSystem);
        // The simulated kernel counts every read of vminfo as one update, so other callers' reads
        // change the figures it derives from them (free memory and the swap figures, sampled a
        // second apart); the other fields are compared.
        calls.put("getOperatingSystem", () -> Answers.render(natives.getOperatingSystem())
            .replaceAll("(freePhysicalMemory|freeSwap|totalSwap)=\\d+", "$1=*"));
        calls.put("enumerateLogicalDiskNames", natives::enumerateLogicalDiskNames);
        calls.put("getLogicalDiskByName", () -> natives.getLogicalDiskByName("/dev/dsk/c1t3d0s7"));
        calls.put("enumerateProcessors", natives::enumerateProcessors);
        calls.put("getProcessor", () -> natives.getProcessor(4));
        calls.put("enumerateCpuUtilizationInfo", natives::enumerateCpuUtilizationInfo);
        calls.put("getCpuUtilizationInfo", () -> natives.getCpuUtilizationInfo(1));
        calls.put("enumerateDiskIOInformation", natives::enumerateDiskIOInformation);
        calls.put("getDiskIOInformation", () -> natives.getDiskIOInformation("c0t0d0"));
        calls.put("enumerateDisks", () -> {
            List<KdInstance> received = new ArrayList<>();
            disks.enumerateDisks(received::add);
            return received;
        });
        calls.put("getDisk", () -> disks.getDisk("c4t0d1"));
        calls.put("enumeratePartitions", () -> {
            List<KdInstance> received = new ArrayList<>();
            partitions.enumeratePartitions(received::add);
            return received;
        });
        calls.put("getPartition", () -> partitions.getPartition("c0t0d0s0"));
        calls.put("scsiInterrogate", () -> interrogator.scsiInterrogate(ARRAY_1, ARRAY_2));
        calls.put("authenticate right", () -> authenticator.authenticate("root", "secret12"));
        calls.put("authenticate wrong", () -> authenticator.authenticate("root", "secret13"));
        calls.put("authenticate locked", () -> authenticator.authenticate("nobody", "secret12"));
        calls.put("getLibraryBuildDate", authenticator::getLibraryBuildDate);
        calls.put("fillHbaCache", () -> hbaCache.fillHbaCache(classNames));
        calls.put("testHbaLibrary", () -> {
            List<String> lines = new ArrayList<>();
            hbaCache.testHbaLibrary(lines);
            return lines;
        });
        return calls;
    }

    /** Both libfsscan natives: a scan of `root` as job `jobId`, and the test scan. */
    static Map<String, Callable<Object>> fsscan(int jobId, Path root) {
        Map<String, Callable<Object>> calls = new LinkedHashMap<>();
        calls.put("startScan", () -> scan(jobId, root));
        calls.put("startTestScan", () -> {
            SolarisFsrmScanJob job = new SolarisFsrmScanJob();
            job.startTestScan();
            return job.testReports();
        });
        return calls;
    }

    /** The call's answer as text, or the exception it raised. */
    static String answer(Callable<Object> call) {
        try {
            return Answers.render(call.call());
        } catch (Throwable e) {
            return "threw " + e;
        }
    }
}
