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
}
