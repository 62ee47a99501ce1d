package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.providers.solaris.SolarisDiskPartitionProvider;
import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

class DiskPartitionTest {
    private SolarisDiskPartitionProvider provider;
    private final List<KdInstance> received = new ArrayList<>();

    @BeforeEach
    void useDiskHost() {
        SimHost.useQuoted(DiskHosts.HOST);
        provider = new SolarisDiskPartitionProvider();
        received.clear();
    }

    private Map<String, KdInstance> byName() {
        Map<String, KdInstance> map = new LinkedHashMap<>();
        for (KdInstance slice : received) map.put((String) slice.get("Name"), slice);
        return map;
    }

    @Test
    void everySliceThatOpensAndAnswersIsReported() {
        provider.enumeratePartitions(received::add);
        List<String> expected = new ArrayList<>();
        for (int s = 0; s < 8; ++s) expected.add("c0t0d0s" + s);      // size 0 and unassigned included
        expected.add("c2t0d0s2");
        for (char c = 'a'; c <= 'h'; ++c) expected.add("emcpower0" + c);
        expected.add("c5t0d0s2");
        expected.add("c6t0d0s2");
        expected.add("c7t0d0s0");
        // c0t1d0 opens read-write but fails the geometry; c1t0d0 has no label; c1t1d0 opens
        // read-only only; c8t0d0s0 reports slice 9; c9t9d9s2 and ab have no node.
        assertEquals(expected, new ArrayList<>(byName().keySet()));
    }

    @Test
    void valuesComeFromTheTableOfContentsSlotTheDriverReports() {
        provider.enumeratePartitions(received::add);
        Map<String, KdInstance> slices = byName();
        KdInstance root = slices.get("c0t0d0s0");
        assertEquals("c0t0d0", root.get("DeviceID"));
        assertEquals(0, root.get("Slice"));
        assertEquals(2097152, root.get("Size"));
        assertEquals((short) 2, root.get("Tag"));
        assertEquals(true, root.get("Mounted"));

        KdInstance backup = slices.get("c0t0d0s2");
        assertEquals((short) 5, backup.get("Tag"));
        assertEquals(false, backup.get("Mounted"));
        assertEquals(false, slices.get("c0t0d0s1").get("Mounted"));

        assertArrayEquals(new Object[] {"c0t0d0s4", "c0t0d0", 4, 0, (short) 0, (short) 0, false},
                          provider.makePartition1Calls.get(4));
        assertArrayEquals(new Object[] {"c0t0d0s5", "c0t0d0", 5, 1, (short) -1, (short) 0x8001, false},
                          provider.makePartition1Calls.get(5));  // 16 bits unchanged
        assertEquals(0, slices.get("c0t0d0s7").get("Size"));      // missing slot is zero

        KdInstance other = slices.get("c7t0d0s0");                  // the driver says slice 3
        assertEquals("c7t0d0", other.get("DeviceID"));
        assertEquals(3, other.get("Slice"));
        assertEquals(20971520, other.get("Size"));
        assertEquals((short) 16, other.get("Flags"));

        assertEquals("emcpower0", slices.get("emcpower0c").get("DeviceID"));
    }

    @Test
    void singleSliceByEntryName() {
        assertEquals(3, provider.getPartition("c0t0d0s3").get("Slice"));
        assertEquals("emcpower0", provider.getPartition("emcpower0h").get("DeviceID"));
        assertNull(provider.getPartition("c0t0d0"));     // no such device
        assertNull(provider.getPartition("c1t1d0s0"));   // read-only device
        assertNull(provider.getPartition("c8t0d0s0"));   // slice outside the table
        assertNull(provider.getPartition("z".repeat(99)));
        assertNull(provider.getPartition("z".repeat(4000)));
        assertNull(provider.getPartition("../rdsk/c0t0d0s0"));
        assertNull(provider.getPartition("c0t0d0s3\u0000x"));  // not c0t0d0s3, cut at the NUL
        assertEquals(2, provider.makePartition1Calls.size());
    }

    @Test
    void receiverThrowingOnThirdSliceReachesTheCallerUnprinted() {
        ByteArrayOutputStream err = new ByteArrayOutputStream();
        PrintStream saved = System.err;
        System.setErr(new PrintStream(err, true, StandardCharsets.UTF_8));
        try {
            IllegalArgumentException e = assertThrows(IllegalArgumentException.class,
                () -> provider.enumeratePartitions(slice -> {
                    received.add(slice);
                    if (received.size() == 3) throw new IllegalArgumentException("third");
                }));
            assertEquals("third", e.getMessage());
        } finally {
            System.setErr(saved);
        }
        assertEquals(3, provider.makePartition1Calls.size());
        assertFalse(err.toString(StandardCharsets.UTF_8).contains("third"));
        provider.enumeratePartitions(received::add);  // the next call starts afresh
        assertEquals(3 + 20, received.size());
    }

    @Test
    void factoryThrowingOrReturningNull() {
        provider.returnNullFor.add("c0t0d0s1");
        provider.enumeratePartitions(received::add);
        assertFalse(byName().containsKey("c0t0d0s1"));
        assertEquals(19, received.size());

        provider.throwFor.add("c0t0d0s0");
        assertThrows(IllegalStateException.class, () -> provider.enumeratePartitions(received::add));
        assertThrows(IllegalStateException.class, () -> provider.getPartition("c0t0d0s0"));
    }
}
