package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import com.vantor.kelda.providers.solaris.SolarisScsiInterrogator;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.Callable;
import java.util.stream.Stream;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.Tag;
import org.junit.jupiter.api.Test;

/**
 * Every native called some thousands of times must not grow the process's open descriptors or
 * its resident memory. Run in a JVM of its own with a fixed, pre-touched heap, so that after a
 * garbage collection the resident size moves only with native memory: a leak of half a
 * kilobyte per call shows. The JVM's own one-off growth (compilation, classes loaded late) is
 * told from a leak by measuring again: only a native that grows the process twice in a row
 * fails.
 */
@Tag("soak")
class SoakTest {
    private static final int WARM_UP = 150;
    private static final int CALLS = 1500;
    // A scan writes a database file: fewer calls.
    private static final int SCANS = 600;
    // getOperatingSystem waits a second between its two samples: fewer calls still, but enough
    // that a leak of 0.4 KB per call stands above the page or two the idle JVM's own resident
    // size moves by now and then.
    private static final int SLOW_CALLS = 20;

    @AfterEach
    void tearDown() {
        System.clearProperty("localdir");
        SimHost.use("{}");
    }

    private static long residentKb() throws IOException {
        for (String line : Files.readAllLines(Paths.get("/proc/self/status"))) {
            if (line.startsWith("VmRSS:")) return Long.parseLong(line.replaceAll("[^0-9]", ""));
        }
        throw new IllegalStateException("no VmRSS");
    }

    private static long openDescriptors() throws IOException {
        try (Stream<Path> fds = Files.list(Paths.get("/proc/self/fd"))) {
            return fds.count();
        }
    }

    private static void settle() throws InterruptedException {
        System.gc();
        Thread.sleep(20);
        System.gc();
    }

    /** Calls `call` `times` times and gives the growth, or null when it stayed within bounds. */
    private static String growth(String name, Callable<Object> call, int times) throws Exception {
        settle();
        long rss = residentKb();
        long fds = openDescriptors();
        long started = System.nanoTime();
        for (int i = 0; i < times; i++) NativeCalls.answer(call);
        settle();
        long rssGrowth = residentKb() - rss;
        long fdGrowth = openDescriptors() - fds;
        System.out.printf("soak %-26s %5d calls in %5d ms: resident %+6d KB, descriptors %+d%n", name, times,
                          (System.nanoTime() - started) / 1_000_000, rssGrowth, fdGrowth);
        return rssGrowth * 5 > times * 2L || fdGrowth > 0  // more than 0.4 KB per call
            ? name + ": resident " + rssGrowth + " KB, descriptors " + fdGrowth + " after " + times + " calls"
            : null;
    }

    /** The growth that `call` shows twice in a row, or null. */
    private static String soak(String name, Callable<Object> call, int times) throws Exception {
        String first = growth(name, call, times);
        return first == null ? null : growth(name, call, times);
    }

    @Test
    void nativesCalledThousandsOfTimesGrowNeitherDescriptorsNorMemory() throws Exception {
        SimHost.use(NativeCalls.demoHost());
        Path work = Files.createTempDirectory("soak");
        System.setProperty("localdir", Files.createDirectory(work.resolve("db")).toString());
        Path root = work.resolve("tree");
        NativeCalls.buildTree(root);

        Map<String, Callable<Object>> calls = new LinkedHashMap<>(new NativeCalls().hostprobe());
        calls.put("startScan", () -> {
            SolarisFsrmScanJob job = new SolarisFsrmScanJob();
            job.startScan(1, root.toString(), null);
            return job.reports();
        });
        calls.put("startTestScan", () -> {
            SolarisFsrmScanJob job = new SolarisFsrmScanJob();
            job.startTestScan();
            return job.testReports();
        });
        // Every native's code paths, the JVM's included, run before anything is measured.
        for (int i = 0; i < WARM_UP; i++) {
            for (Map.Entry<String, Callable<Object>> call : calls.entrySet()) {
                if (!call.getKey().equals("getOperatingSystem")) NativeCalls.answer(call.getValue());
            }
        }
        List<String> grew = new ArrayList<>();
        for (Map.Entry<String, Callable<Object>> call : calls.entrySet()) {
            int times = call.getKey().equals("getOperatingSystem") ? SLOW_CALLS : call.getKey().contains("Scan") ? SCANS : CALLS;
            String growth = soak(call.getKey(), call.getValue(), times);
            if (growth != null) grew.add(growth);
        }

        // Devices whose statistics page cannot be read: every interrogation takes its failure
        // path, which must release all it holds as a complete one does. (A failure passing
        // through the interrogation as an exception is the C++ suite's allocation-failure test.)
        String answered = NativeCalls.answer(calls.get("scsiInterrogate"));
        SimHost.use(NativeCalls.demoHost().replace("\"log_3b\": {", "\"fail\": [\"log_sense\"], \"log_3b\": {"));
        SolarisScsiInterrogator interrogator = new SolarisScsiInterrogator();
        Callable<Object> failing = () -> interrogator.scsiInterrogate(NativeCalls.ARRAY_1, NativeCalls.ARRAY_2);
        assertNotEquals(answered, NativeCalls.answer(failing));
        for (int i = 0; i < WARM_UP; i++) NativeCalls.answer(failing);
        String growth = soak("scsiInterrogate, failing", failing, CALLS);
        if (growth != null) grew.add(growth);

        assertTrue(grew.isEmpty(), String.join("\n", grew));
    }
}
