package com.vantor.hostprobe.tests;

import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.regex.Pattern;

/**
 * Where a scan test's scans write: a fresh work directory with a database directory that the
 * "localdir" property names, and the stop flag cleared. close() clears both again.
 */
final class ScanWorkspace {
    /** The head of a scan log entry: a newline, the bracketed time and a tab. */
    static final Pattern ENTRY_HEAD = Pattern.compile("\n\\[\\w{3} \\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}\\]\t");

    final Path work;
    final Path localdir;
    final String host;

    ScanWorkspace(String prefix) throws IOException {
        work = Files.createTempDirectory(prefix);
        localdir = Files.createDirectory(work.resolve("db"));
        System.setProperty("localdir", localdir.toString());
        host = new String(Files.readAllBytes(Paths.get("/proc/sys/kernel/hostname")), StandardCharsets.UTF_8).trim();
        SolarisFsrmScanJob.stopScan = false;
    }

    void close() {
        SolarisFsrmScanJob.stopScan = false;
        System.clearProperty("localdir");
    }

    /** The database file a scan of {@code directory} writes. */
    String dbFileFor(String directory) {
        return localdir + "/" + directory.replace('/', '_') + "_" + host + ".db";
    }

    /** The scan log. */
    String log() throws IOException {
        return new String(Files.readAllBytes(localdir.resolve("XGather.log")), StandardCharsets.UTF_8);
    }
}
