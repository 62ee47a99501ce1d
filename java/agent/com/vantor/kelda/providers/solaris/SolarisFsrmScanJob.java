package com.vantor.kelda.providers.solaris;

import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * A file-tree scan job of libfsscan. The native side writes one Berkeley DB file per scan into
 * the directory named by the system property "localdir" and reports through the two callback
 * methods; setting {@link #stopScan} from any thread asks a running scan to stop.
 *
 * This stand-in keeps every report it receives, in order, so callers can read them afterwards.
 */
public class SolarisFsrmScanJob {
    static {
        System.loadLibrary("fsscan");
    }

    /** Read by the native walk after every entry; true asks the running scan to stop. */
    public static volatile boolean stopScan;

    private final List<String[]> reports = Collections.synchronizedList(new ArrayList<>());
    private final List<String[]> testReports = Collections.synchronizedList(new ArrayList<>());

    /**
     * Scans {@code directory} into a new database file.
     *
     * @param jobId     job identifier, echoed in every report
     * @param directory the directory to scan
     * @param options   reserved for the agent; the native side never reads it (any value, null included)
     */
    public native void startScan(int jobId, String directory, Object options);

    /** Proves that a database can be created in "localdir" and lists the local volumes. */
    public native void startTestScan();

    /** Status report of a full scan: job id, directory, status, database file, message. */
    public void callbackMethod(String[] report) {
        reports.add(report.clone());
    }

    /** Report of a test scan: status, database file, volume list. */
    public void callbackMethodForTestScan(String[] report) {
        testReports.add(report.clone());
    }

    /** The full-scan reports received so far, oldest first. */
    public List<String[]> reports() {
        synchronized (reports) {
            return new ArrayList<>(reports);
        }
    }

    /** The test-scan reports received so far, oldest first. */
    public List<String[]> testReports() {
        synchronized (testReports) {
            return new ArrayList<>(testReports);
        }
    }
}
