package com.vantor.hostprobe.demo;

import com.sleepycat.db.Cursor;
import com.sleepycat.db.Database;
import com.sleepycat.db.DatabaseConfig;
import com.sleepycat.db.DatabaseEntry;
import com.sleepycat.db.DatabaseType;
import com.sleepycat.db.LockMode;
import com.sleepycat.db.OperationStatus;
import com.vantor.kelda.providers.solaris.SolarisFsrmScanJob;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.stream.Stream;

/**
 * The file-tree scan as the agent runs it: a scan job over a real directory into a temporary
 * "localdir", its status reports, then the database read back with Berkeley DB's Java API.
 */
final class FsScanReport {
    private FsScanReport() {}

    /** One record: name<>size<>atime<>ctime<>mtime<>isDir<>depth<>parent<>number<>files<>dirs<>* */
    private static final class Entry {
        String name;
        double size;
        boolean directory;
        int parent;
        int number;
    }

    static void print(String[] args) {
        String directory = System.getProperty("hostprobe.source", ".");
        for (int i = 0; i + 1 < args.length; i++) {
            if (args[i].equals("--scan")) directory = args[i + 1];
        }
        directory = Paths.get(directory).toAbsolutePath().normalize().toString();
        System.out.println();
        System.out.println("== File-tree scan of " + directory);
        Path localdir = null;
        try {
            localdir = Files.createTempDirectory("fsscan-demo");
            System.setProperty("localdir", localdir.toString());
            SolarisFsrmScanJob job = new SolarisFsrmScanJob();
            long start = System.nanoTime();
            job.startScan(1, directory, null);
            long elapsed = System.nanoTime() - start;
            String file = null;
            for (String[] report : job.reports()) {
                System.out.println("  callbackMethod " + quoted(report));
                if (!report[3].isEmpty()) file = report[3];
            }
            job.startTestScan();
            for (String[] report : job.testReports()) System.out.println("  callbackMethodForTestScan " + quoted(report));
            if (file != null && Files.exists(Paths.get(file))) summarize(file, elapsed);
        } catch (Exception e) {
            System.out.println("  (scan failed: " + e + ")");
        } finally {
            System.clearProperty("localdir");
            if (localdir != null) removeTree(localdir);
        }
    }

    private static String quoted(String[] report) {
        StringBuilder out = new StringBuilder("[");
        for (int i = 0; i < report.length; i++) out.append(i == 0 ? "" : ", ").append('"').append(report[i]).append('"');
        return out.append(']').toString();
    }

    private static void summarize(String file, long elapsedNanos) throws Exception {
        DatabaseConfig config = new DatabaseConfig();
        config.setType(DatabaseType.BTREE);
        config.setReadOnly(true);
        Database db = new Database(file, null, config);
        Map<Integer, Entry> entries = new HashMap<>();
        try {
            Cursor cursor = db.openCursor(null, null);
            DatabaseEntry key = new DatabaseEntry();
            DatabaseEntry value = new DatabaseEntry();
            while (cursor.getNext(key, value, LockMode.DEFAULT) == OperationStatus.SUCCESS) {
                Entry entry = parse(new String(value.getData(), 0, value.getSize(), StandardCharsets.UTF_8));
                if (entry != null) entries.put(entry.number, entry);
            }
            cursor.close();
        } finally {
            db.close();
        }
        long files = entries.values().stream().filter(e -> !e.directory).count();
        System.out.printf("  %-22s %d (%d files, %d directories) in %.0f ms%n", "records", entries.size(), files,
                          entries.size() - files, elapsedNanos / 1e6);
        System.out.println("  largest directories by subtree size:");
        List<Entry> directories = new ArrayList<>();
        for (Entry e : entries.values()) {
            if (e.directory) directories.add(e);
        }
        directories.sort(Comparator.comparingDouble((Entry e) -> e.size).reversed().thenComparingInt(e -> e.number));
        for (Entry e : directories.subList(0, Math.min(10, directories.size()))) {
            System.out.printf("    %,15.0f bytes  %s%n", e.size, path(e, entries));
        }
    }

    // The name may itself hold "<>": the eleven fields are counted from the end.
    private static Entry parse(String record) {
        if (!record.endsWith("<>*")) return null;
        String[] parts = record.substring(0, record.length() - 3).split("<>", -1);
        if (parts.length < 11) return null;
        int n = parts.length;
        Entry e = new Entry();
        e.name = String.join("<>", java.util.Arrays.copyOfRange(parts, 0, n - 10));
        e.size = Double.parseDouble(parts[n - 10]);
        e.directory = parts[n - 6].equals("1");
        e.parent = Integer.parseInt(parts[n - 4]);
        e.number = Integer.parseInt(parts[n - 3]);
        return e;
    }

    private static String path(Entry e, Map<Integer, Entry> entries) {
        StringBuilder out = new StringBuilder(e.name);
        for (Entry p = entries.get(e.parent); p != null; p = entries.get(p.parent)) out.insert(0, p.name + "/");
        return out.toString();
    }

    private static void removeTree(Path root) {
        try (Stream<Path> walk = Files.walk(root)) {
            walk.sorted(Comparator.reverseOrder()).forEach(p -> p.toFile().delete());
        } catch (IOException e) {
            // a temporary directory left behind is harmless
        }
    }
}
