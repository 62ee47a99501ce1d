package com.vantor.hostprobe.tests;

import com.sleepycat.db.Cursor;
import com.sleepycat.db.Database;
import com.sleepycat.db.DatabaseConfig;
import com.sleepycat.db.DatabaseEntry;
import com.sleepycat.db.DatabaseType;
import com.sleepycat.db.LockMode;
import com.sleepycat.db.OperationStatus;
import java.nio.charset.StandardCharsets;
import java.util.Map;
import java.util.TreeMap;

/** Reads a scan database with Berkeley DB's Java API: record number -> record text. */
final class ScanDatabase {
    private ScanDatabase() {}

    static Map<Integer, String> read(String file) throws Exception {
        DatabaseConfig config = new DatabaseConfig();
        config.setType(DatabaseType.BTREE);
        config.setReadOnly(true);
        Database db = new Database(file, null, config);
        Map<Integer, String> records = new TreeMap<>();
        try {
            Cursor cursor = db.openCursor(null, null);
            DatabaseEntry key = new DatabaseEntry();
            DatabaseEntry value = new DatabaseEntry();
            while (cursor.getNext(key, value, LockMode.DEFAULT) == OperationStatus.SUCCESS) {
                records.put(Integer.parseInt(new String(key.getData(), 0, key.getSize(), StandardCharsets.US_ASCII)),
                            new String(value.getData(), 0, value.getSize(), StandardCharsets.UTF_8));
            }
            cursor.close();
        } finally {
            db.close();
        }
        return records;
    }

    /**
     * Checks that {@code stopped} is what a walk of the tree of {@code whole} writes when it
     * stops after some entry: every record numbered up to its last one and no other, each equal
     * to the whole walk's, except the directories the walk was still inside, whose totals only
     * cover what it had reached (their name, times, depth, parent and number still agree).
     */
    static void assertStoppedPrefix(Map<Integer, String> whole, Map<Integer, String> stopped) {
        int last = ((TreeMap<Integer, String>) stopped).lastKey();
        Map<Integer, String> expected = new TreeMap<>(((TreeMap<Integer, String>) whole).headMap(last, true));
        org.junit.jupiter.api.Assertions.assertEquals(expected.keySet(), stopped.keySet());
        // The last number in each directory's subtree, from the parent field of each record.
        Map<Integer, Integer> subtreeEnd = new TreeMap<>();
        for (int number : ((TreeMap<Integer, String>) whole).descendingKeySet()) {
            int end = Math.max(number, subtreeEnd.getOrDefault(number, number));
            subtreeEnd.put(number, end);
            int parent = Integer.parseInt(field(whole.get(number), 7));
            if (parent > 0) subtreeEnd.merge(parent, end, Math::max);
        }
        for (Map.Entry<Integer, String> e : stopped.entrySet()) {
            String full = whole.get(e.getKey());
            if (subtreeEnd.get(e.getKey()) <= last) {
                org.junit.jupiter.api.Assertions.assertEquals(full, e.getValue());
            } else {  // a directory the walk stopped inside
                for (int f : new int[] {0, 2, 3, 4, 5, 6, 7, 8}) {
                    org.junit.jupiter.api.Assertions.assertEquals(field(full, f), field(e.getValue(), f), e.getValue());
                }
            }
        }
    }

    private static String field(String record, int index) {
        return record.split("<>", -1)[index];
    }
}
