package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import java.io.IOException;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.List;
import java.util.Map;
import java.util.regex.Pattern;
import javax.tools.ToolProvider;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

class FsrmScanJobTest {
    private static final Pattern ENTRY_HEAD = ScanWorkspace.ENTRY_HEAD;
    private static Path largeTree;
    private static int largeTreeEntries;

    private ScanWorkspace space;
    private Path work;
    private Path localdir;
    private String host;

    @BeforeAll
    static void buildLargeTree() throws IOException {
        largeTree = Files.createTempDirectory("fsscan-large");
        for (int d = 0; d < 60; d++) {
            Path dir = Files.createDirectory(largeTree.resolve("d" + d));
            for (int f = 0; f < 500; f++) Files.createFile(dir.resolve("f" + f));
        }
        largeTreeEntries = 60 * 501;
    }

    @BeforeEach
    void setUp() throws IOException {
        space = new ScanWorkspace("fsscan");
        work = space.work;
        localdir = space.localdir;
        host = space.host;
    }

    @AfterEach
    void tearDown() {
        space.close();
    }

    private String dbFileFor(String directory) {
        return space.dbFileFor(directory);
    }

    private String log() throws IOException {
        return space.log();
    }

    @Test
    void scanReportsStartAndSuccessAndWritesEveryRecord() throws Exception {
        Path root = Files.createDirectory(work.resolve("root"));
        Files.createDirectory(root.resolve("d"));
        Files.write(root.resolve("d").resolve("f"), "hello".getBytes(StandardCharsets.US_ASCII));
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(42, root.toString(), null);

        List<String[]> reports = job.reports();
        assertEquals(2, reports.size());
        assertArrayEquals(new String[] {"42", root.toString(), "0", "", ""}, reports.get(0));
        assertArrayEquals(new String[] {"42", root.toString(), "1", dbFileFor(root.toString()), ""}, reports.get(1));

        Map<Integer, String> records = ScanDatabase.read(dbFileFor(root.toString()));
        assertEquals(2, records.size());
        assertTrue(records.get(2).matches("f<>5<>\\d+<>\\d+<>\\d+<>0<>1<>1<>2<>-1<>0<>\\*"), records.get(2));
        assertTrue(records.get(1).matches("d<>5<>\\d+<>\\d+<>\\d+<>1<>0<>0<>1<>1<>1<>\\*"), records.get(1));

        String log = log();
        assertTrue(ENTRY_HEAD.matcher(log).lookingAt(), log);
        assertTrue(log.endsWith("\tDEBUG\tAbout to scan.  Disk list : " + root + "\n"), log);
        assertEquals(1, log.split("\n\\[").length - 1);
    }

    @Test
    void namesBeyondTheBasicPlaneAreScannedAndWrittenUnderThemselves() throws Exception {
        assumeTrue("UTF-8".equals(System.getProperty("sun.jnu.encoding")), "file names are not UTF-8 here");
        Path root = Files.createDirectory(work.resolve("r\u00e9\ud83d\ude00"));
        Files.write(root.resolve("f"), "hello".getBytes(StandardCharsets.US_ASCII));
        Path databases = Files.createDirectory(work.resolve("db\ud83d\ude01"));
        System.setProperty("localdir", databases.toString());
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(43, root.toString(), null);

        String file = databases + "/" + root.toString().replace('/', '_') + "_" + host + ".db";
        List<String[]> reports = job.reports();
        assertEquals(2, reports.size());
        assertArrayEquals(new String[] {"43", root.toString(), "0", "", ""}, reports.get(0));
        assertArrayEquals(new String[] {"43", root.toString(), "1", file, ""}, reports.get(1));
        assertTrue(Files.exists(databases.resolve("XGather.log")));
        // Berkeley DB's Java API names files in modified UTF-8: the records are read from a copy.
        Path copy = Files.copy(Paths.get(file), work.resolve("copy.db"));
        Map<Integer, String> records = ScanDatabase.read(copy.toString());
        assertEquals(1, records.size());
        assertTrue(records.get(1).startsWith("f<>5<>"), records.get(1));
    }

    @Test
    void earlyFailuresSendOneReport() throws Exception {
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(1, "", null);
        job.startScan(2, null, null);
        String tooLong = "/" + "a".repeat(1023);
        job.startScan(3, tooLong, null);
        String wide = "/" + "\u00e9".repeat(600);  // 600 characters, 1,201 bytes
        job.startScan(4, wide, null);
        System.clearProperty("localdir");
        job.startScan(5, "/tmp", null);
        System.setProperty("localdir", work.resolve("missing").toString());
        job.startScan(6, "/tmp", null);
        System.setProperty("localdir", "/" + "l".repeat(600));
        job.startScan(7, "/tmp", null);

        List<String[]> reports = job.reports();
        assertEquals(7, reports.size());
        assertArrayEquals(new String[] {"1", "", "2", "", "No Drives to scan!!!"}, reports.get(0));
        assertArrayEquals(new String[] {"2", "", "2", "", "No Drives to scan!!!"}, reports.get(1));
        assertArrayEquals(new String[] {"3", tooLong.substring(0, 1020), "2", "", "Drives to scan: String length too long"},
                          reports.get(2));
        assertEquals("Drives to scan: String length too long", reports.get(3)[4]);
        assertEquals(wide.substring(0, 510), reports.get(3)[1]);  // 1,020 bytes, whole characters
        for (int i = 4; i < 7; i++) {
            assertArrayEquals(new String[] {String.valueOf(i + 1), "/tmp", "2", "", "Failed to get DBPath"}, reports.get(i));
        }
        assertFalse(Files.exists(localdir.resolve("XGather.log")));
    }

    /**
     * A root that cannot be opened fails the scan with the message of its error, and its database
     * is made afresh, empty, as for any scan that fails after it started.
     */
    @Test
    void rootThatCannotBeOpenedFailsTheScan() throws Exception {
        Path gone = Files.createDirectory(work.resolve("gone"));
        Files.createFile(gone.resolve("f"));
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(19, gone.toString(), null);
        assertEquals(1, ScanDatabase.read(dbFileFor(gone.toString())).size());
        Files.delete(gone.resolve("f"));
        Files.delete(gone);
        Path file = Files.createFile(work.resolve("plain-file"));
        String[][] cases = {
            {gone.toString(), "No Such File or Directory"},
            {file.toString(), "Not a Directory"},
            {work + "/nul\u0000named", "No Such File or Directory"},  // names no directory
        };
        for (int i = 0; i < cases.length; i++) {
            String directory = cases[i][0];
            job.startScan(20 + i, directory, null);
            List<String[]> reports = job.reports();
            assertEquals(2 * i + 4, reports.size());
            assertArrayEquals(new String[] {String.valueOf(20 + i), directory, "0", "", ""}, reports.get(2 * i + 2));
            assertArrayEquals(new String[] {String.valueOf(20 + i), directory, "2", dbFileFor(directory), cases[i][1]},
                              reports.get(2 * i + 3));
            assertTrue(log().endsWith("\tERROR\t" + cases[i][1] + "\n"), log());
        }
        assertTrue(ScanDatabase.read(dbFileFor(gone.toString())).isEmpty());
        assertTrue(ScanDatabase.read(dbFileFor(file.toString())).isEmpty());
    }

    @Test
    void directoryOf1023BytesIsAcceptedAndTheReportCutTo1020() throws Exception {
        String longest = "/" + "b".repeat(1022);
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(9, longest, null);
        List<String[]> reports = job.reports();
        assertEquals(2, reports.size());
        assertArrayEquals(new String[] {"9", longest.substring(0, 1020), "0", "", ""}, reports.get(0));
        // The name made from it is longer than a file name may be.
        assertArrayEquals(new String[] {"9", longest.substring(0, 1020), "2", dbFileFor(longest), "Could not create DB"},
                          reports.get(1));
        assertTrue(log().endsWith("\tERROR\tCould not create DB\n"));
    }

    @Test
    void rootAndLocaldirWithoutTrailingSlash() throws Exception {
        SolarisFsrmScanJob.stopScan = true;  // stop after the first entry of "/"
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        assertFalse(localdir.toString().endsWith("/"));
        job.startScan(5, "/", null);
        List<String[]> reports = job.reports();
        assertEquals(2, reports.size());
        String file = localdir + "/__" + host + ".db";
        assertArrayEquals(new String[] {"5", "/", "2", file, "Scan stopped on request"}, reports.get(1));
        assertTrue(ScanDatabase.read(file).size() < 100);  // the first entry of each level opened
        assertTrue(log().endsWith("\tERROR\tScan stopped on request\n"));

        System.setProperty("localdir", localdir + "/");
        SolarisFsrmScanJob.stopScan = false;
        Path root = Files.createDirectory(work.resolve("r"));
        job = new SolarisFsrmScanJob();
        job.startScan(6, root.toString(), null);
        assertEquals(dbFileFor(root.toString()), job.reports().get(1)[3]);
        assertEquals("1", job.reports().get(1)[2]);
    }

    @Test
    void largeTreeScansWholeAndStopsOnRequestFromAnotherThread() throws Exception {
        String file = dbFileFor(largeTree.toString());
        SolarisFsrmScanJob whole = new SolarisFsrmScanJob();
        whole.startScan(10, largeTree.toString(), null);  // every entry, under -Xcheck:jni
        assertEquals("1", whole.reports().get(1)[2]);
        Map<Integer, String> wholeRecords = ScanDatabase.read(file);
        assertEquals(largeTreeEntries, wholeRecords.size());
        Files.delete(Paths.get(file));

        Thread stopper = new Thread(() -> {
            long deadline = System.nanoTime() + 60_000_000_000L;
            while (!Files.exists(Paths.get(file)) && System.nanoTime() < deadline) Thread.onSpinWait();
            SolarisFsrmScanJob.stopScan = true;
        });
        stopper.start();
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startScan(11, largeTree.toString(), null);
        stopper.join();
        List<String[]> reports = job.reports();
        assertEquals(2, reports.size());
        assertArrayEquals(new String[] {"11", largeTree.toString(), "2", file, "Scan stopped on request"}, reports.get(1));
        Map<Integer, String> records = ScanDatabase.read(file);
        assertFalse(records.isEmpty());
        assertTrue(records.size() < largeTreeEntries, records.size() + " records");
        for (String record : records.values()) assertTrue(record.endsWith("<>*"), record);
        ScanDatabase.assertStoppedPrefix(wholeRecords, records);
    }

    @Test
    void testScanReportsTheDatabaseAndTheVolumes() throws Exception {
        SimHost.useQuoted("{'mnttab': {'entries': ["
            + "{'special': '/dev/dsk/c0t0d0s0', 'mountp': '/', 'fstype': 'ufs', 'options': 'rw', 'time': '1'},"
            + "{'special': 'swap', 'mountp': '/tmp', 'fstype': 'tmpfs', 'options': 'rw', 'time': '1'},"
            + "{'special': 'nfs1:/export/home', 'mountp': '/home', 'fstype': 'nfs', 'options': 'rw', 'time': '1'},"
            + "{'special': 'fileserver:/devel', 'mountp': '/devel', 'fstype': 'nfs', 'options': 'rw', 'time': '1'},"
            + "{'special': 'rpool/export', 'mountp': '/pool', 'fstype': 'ufs', 'options': 'rw', 'time': '1'},"
            + "{'special': '/dev/dsk/c0t1d0s7', 'mountp': '/export/home', 'fstype': 'ufs', 'options': 'rw', 'time': '1'}"
            + "]}}");
        String volumes = "   /  /devel  /export/home";
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        job.startTestScan();
        job.startTestScan();  // the first one's database is replaced
        assertTrue(job.reports().isEmpty());
        assertEquals(2, job.testReports().size());
        assertArrayEquals(new String[] {"1", localdir + "/TEMP.db", volumes}, job.testReports().get(1));
        assertTrue(ScanDatabase.read(localdir + "/TEMP.db").isEmpty());
        String log = log();
        assertTrue(log.contains("\tDEBUG\tEntering Test Scan  \n"), log);
        assertTrue(log.contains("\tDEBUG\tList of volumes " + volumes + "\n"), log);
        assertTrue(log.endsWith("\tDEBUG\tEXITING TEST SCAN  \n"), log);

        System.clearProperty("localdir");
        job.startTestScan();
        assertArrayEquals(new String[] {"2", "", volumes}, job.testReports().get(2));
        SimHost.use("{}");
    }

    @Test
    void logIsAppendedBelow10240BytesAndStartsAfreshAtIt() throws Exception {
        Path logFile = localdir.resolve("XGather.log");
        SolarisFsrmScanJob job = new SolarisFsrmScanJob();
        String directory = work.resolve("empty").toString();
        Files.createDirectory(Paths.get(directory));
        String entry = "\tDEBUG\tAbout to scan.  Disk list : " + directory + "\n";

        Files.write(logFile, "x".repeat(10240).getBytes(StandardCharsets.US_ASCII));
        job.startScan(1, directory, null);  // the first piece starts a fresh file
        String fresh = log();
        assertTrue(ENTRY_HEAD.matcher(fresh).lookingAt(), fresh);
        assertTrue(fresh.endsWith(entry), fresh);
        assertEquals(ENTRY_HEAD.matcher(fresh).replaceFirst("\t").length(), entry.length());

        // 10,239 bytes: the first piece is appended, which takes the file past the mark, so
        // the entry's second piece starts the fresh file.
        Files.write(logFile, "x".repeat(10239).getBytes(StandardCharsets.US_ASCII));
        job.startScan(1, directory, null);
        assertEquals(directory + "\n", log());
        assertEquals("1", job.reports().get(3)[2]);
    }

    @Test
    void exceptionOfACallbackReachesTheCallerAfterTheScan() throws Exception {
        Path root = Files.createDirectory(work.resolve("root"));
        Files.createFile(root.resolve("f"));
        IllegalStateException failure = new IllegalStateException("callback failed");
        SolarisFsrmScanJob job = new SolarisFsrmScanJob() {
            @Override
            public void callbackMethod(String[] report) {
                super.callbackMethod(report);
                throw failure;
            }
        };
        IllegalStateException thrown = assertThrows(IllegalStateException.class, () -> job.startScan(3, root.toString(), null));
        assertSame(failure, thrown);
        assertEquals(2, job.reports().size());
        assertEquals("1", job.reports().get(1)[2]);
        assertEquals(1, ScanDatabase.read(dbFileFor(root.toString())).size());
    }

    /**
     * Job classes of other shapes: the same class name compiled without a member, in a class loader
     * of its own, with its own copy of the library (a library belongs to one class loader).
     */
    private Object jobWithout(String member) throws Exception {
        String source = "package com.vantor.kelda.providers.solaris;\n"
            + "public class SolarisFsrmScanJob {\n"
            + "    static { System.load(System.getProperty(\"fsscan.copy\")); }\n"
            + (member.equals("stopScan") ? "" : "    public static boolean stopScan;\n")
            + "    public static java.util.List<String[]> reports = new java.util.ArrayList<>();\n"
            + (member.equals("callbackMethod") ? "" : "    public void callbackMethod(String[] r) { reports.add(r); }\n")
            + "    public native void startScan(int id, String dir, Object ignored);\n"
            + "}\n";
        Path dir = Files.createDirectories(work.resolve("without-" + member + "/com/vantor/kelda/providers/solaris"));
        Path java = dir.resolve("SolarisFsrmScanJob.java");
        Files.write(java, source.getBytes(StandardCharsets.UTF_8));
        assertEquals(0, ToolProvider.getSystemJavaCompiler().run(null, null, null, "-nowarn", java.toString()));
        Path library = work.resolve("libfsscan-" + member + ".so");
        Files.copy(Paths.get(System.getProperty("hostprobe.build"), "lib", "libfsscan.so"), library,
                   StandardCopyOption.REPLACE_EXISTING);
        System.setProperty("fsscan.copy", library.toString());
        URLClassLoader loader = new URLClassLoader(new URL[] {work.resolve("without-" + member).toUri().toURL()},
                                                   ClassLoader.getPlatformClassLoader());
        return loader.loadClass("com.vantor.kelda.providers.solaris.SolarisFsrmScanJob").getConstructor().newInstance();
    }

    private static void scan(Object job, String directory) throws Exception {
        job.getClass().getMethod("startScan", int.class, String.class, Object.class).invoke(job, 8, directory, null);
    }

    @Test
    void jobWithoutCallbackMethodStillWritesItsDatabase() throws Exception {
        Path root = Files.createDirectory(work.resolve("quiet"));
        Files.createFile(root.resolve("a"));
        Files.createFile(root.resolve("b"));
        scan(jobWithout("callbackMethod"), root.toString());
        assertEquals(2, ScanDatabase.read(dbFileFor(root.toString())).size());
        assertTrue(log().endsWith("About to scan.  Disk list : " + root + "\n"));
    }

    @Test
    @SuppressWarnings("unchecked")
    void jobWithoutStopFlagLogsAndStops() throws Exception {
        Path root = Files.createDirectory(work.resolve("flagless"));
        for (int i = 0; i < 5; i++) Files.createFile(root.resolve("f" + i));
        Object job = jobWithout("stopScan");
        scan(job, root.toString());
        List<String[]> reports = (List<String[]>) job.getClass().getField("reports").get(null);
        assertEquals(2, reports.size());
        assertEquals("Scan stopped on request", reports.get(1)[4]);
        assertTrue(ScanDatabase.read(dbFileFor(root.toString())).size() < 5);
        assertTrue(log().contains("\tERROR\tCould not get Stop Scan status. \n"), log());
    }
}
