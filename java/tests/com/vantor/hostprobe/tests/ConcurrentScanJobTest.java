package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.CyclicBarrier;
import java.util.concurrent.TimeUnit;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

/** Scan jobs on two threads at once: each reports to its own job and writes its own database. */
class ConcurrentScanJobTest {
    private ScanWorkspace space;
    private Path work;

    @BeforeEach
    void setUp() throws IOException {
        space = new ScanWorkspace("concurrent-scans");
        work = space.work;
    }

    @AfterEach
    void tearDown() {
        space.close();
    }

    private String dbFileFor(Path directory) {
        return space.dbFileFor(directory.toString());
    }

    /** `directories` directories of `files` files each; the number of entries. */
    private Path tree(String name, int directories, int files) throws IOException {
        Path root = Files.createDirectory(work.resolve(name));
        for (int d = 0; d < directories; d++) {
            Path dir = Files.createDirectory(root.resolve("d" + d));
            for (int f = 0; f < files; f++) Files.write(dir.resolve("f" + f), new byte[f % 13]);
        }
        return root;
    }

    /** Runs the scans of `jobs` over `roots`, all threads starting together. */
    private static void scanTogether(SolarisFsrmScanJob[] jobs, Path[] roots) throws Exception {
        CyclicBarrier start = new CyclicBarrier(jobs.length);
        List<Thread> threads = new ArrayList<>();
        List<Throwable> failures = new ArrayList<>();
        for (int i = 0; i < jobs.length; i++) {
            final int job = i;
            threads.add(new Thread(() -> {
                try {
                    start.await();
                    jobs[job].startScan(job + 1, roots[job].toString(), null);
                } catch (Throwable e) {
                    synchronized (failures) {
                        failures.add(e);
                    }
                }
            }));
        }
        for (Thread thread : threads) thread.start();
        for (Thread thread : threads) thread.join();
        assertTrue(failures.isEmpty(), failures.toString());
    }

    /** The log's entries, each checked to be one whole entry of the expected set. */
    private int checkLogEntries(Set<String> bodies) throws IOException {
        String log = space.log();
        String[] pieces = ScanWorkspace.ENTRY_HEAD.split(log, -1);
        assertEquals("", pieces[0], log);
        for (int i = 1; i < pieces.length; i++) assertTrue(bodies.contains(pieces[i]), "entry " + pieces[i] + " in\n" + log);
        return pieces.length - 1;
    }

    @Test
    void twoScansAtOnceReportToTheirOwnJobsAndWriteWholeDatabases() throws Exception {
        Path[] roots = {tree("wide", 12, 40), tree("deep", 30, 9)};
        // Each tree scanned alone first: the records every concurrent scan must give.
        List<Map<Integer, String>> alone = new ArrayList<>();
        for (Path root : roots) {
            SolarisFsrmScanJob job = new SolarisFsrmScanJob();
            job.startScan(9, root.toString(), null);
            alone.add(ScanDatabase.read(dbFileFor(root)));
        }
        assertEquals(12 * 41, alone.get(0).size());
        assertEquals(30 * 10, alone.get(1).size());

        int rounds = 5;
        for (int round = 0; round < rounds; round++) {
            SolarisFsrmScanJob[] jobs = {new SolarisFsrmScanJob(), new SolarisFsrmScanJob()};
            scanTogether(jobs, roots);
            for (int i = 0; i < 2; i++) {
                String id = String.valueOf(i + 1);
                List<String[]> reports = jobs[i].reports();
                assertEquals(2, reports.size(), "round " + round);
                assertArrayEquals(new String[] {id, roots[i].toString(), "0", "", ""}, reports.get(0));
                assertArrayEquals(new String[] {id, roots[i].toString(), "1", dbFileFor(roots[i]), ""}, reports.get(1));
                assertEquals(alone.get(i), ScanDatabase.read(dbFileFor(roots[i])), "round " + round);
            }
        }
        int entries = checkLogEntries(Set.of("DEBUG\tAbout to scan.  Disk list : " + roots[0] + "\n",
                                             "DEBUG\tAbout to scan.  Disk list : " + roots[1] + "\n"));
        assertEquals(2 + 2 * rounds, entries);
    }

    @Test
    void stopRequestStopsBothConcurrentScans() throws Exception {
        Path[] roots = {tree("first", 10, 50), tree("second", 10, 50)};
        int entries = 10 * 51;
        // Both scans have started (each has sent its first report, and waits in it for the
        // other's) when the one flag of the job class is set; then both walk on.
        CyclicBarrier bothStarted = new CyclicBarrier(2, () -> SolarisFsrmScanJob.stopScan = true);
        SolarisFsrmScanJob[] jobs = new SolarisFsrmScanJob[2];
        for (int i = 0; i < 2; i++) {
            jobs[i] = new SolarisFsrmScanJob() {
                @Override
                public void callbackMethod(String[] report) {
                    super.callbackMethod(report);
                    if (!report[2].equals("0")) return;
                    try {
                        bothStarted.await(60, TimeUnit.SECONDS);
                    } catch (Exception e) {
                        throw new IllegalStateException(e);
                    }
                }
            };
        }
        scanTogether(jobs, roots);
        for (int i = 0; i < 2; i++) {
            List<String[]> reports = jobs[i].reports();
            assertEquals(2, reports.size());
            assertArrayEquals(new String[] {String.valueOf(i + 1), roots[i].toString(), "2", dbFileFor(roots[i]),
                                            "Scan stopped on request"}, reports.get(1));
            Map<Integer, String> records = ScanDatabase.read(dbFileFor(roots[i]));
            assertFalse(records.isEmpty());
            assertTrue(records.size() < entries, records.size() + " records");
            for (String record : records.values()) assertTrue(record.endsWith("<>*"), record);
        }
        assertEquals(4, checkLogEntries(Set.of("DEBUG\tAbout to scan.  Disk list : " + roots[0] + "\n",
                                               "DEBUG\tAbout to scan.  Disk list : " + roots[1] + "\n",
                                               "ERROR\tScan stopped on request\n")));
    }
}
