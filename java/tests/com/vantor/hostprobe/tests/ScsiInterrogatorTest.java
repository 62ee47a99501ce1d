package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.providers.solaris.SolarisScsiInterrogator;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

class ScsiInterrogatorTest {
    private static final String ID_A = "SX11111111111111";
    private static final String ID_B = "SX22222222222222";
    private static final String ZERO_ROW =
        "         0         0         0         0         0         0         0         0";
    private static final String TRANSLATION =
        "'translation': [{'channel': 0, 'id': 1, 'tray': 0, 'slot': 1},"
        + " {'channel': 1, 'id': 2, 'tray': 1, 'slot': 3}, {'channel': 0, 'id': 9, 'tray': 0, 'slot': 9}]";

    private final SolarisScsiInterrogator interrogator = new SolarisScsiInterrogator();
    private final Path journal = Paths.get(System.getProperty("java.io.tmpdir"), "scsi-journal.log");
    private final List<String> disks = new ArrayList<>();

    @BeforeEach
    void clearJournal() throws IOException {
        Files.deleteIfExists(journal);
    }

    /** A LUN of the array: the data LUN product, or the UTM LUN's. */
    private void lun(String name, String node, boolean utm, String c0Id, String more) {
        disks.add("{'name': '" + name + "', 'node': '" + node + "', 'driver': 'ssd', 'instance': " + disks.size()
            + ", 'slices': [0, 2], 'scsi': {'vendor': 'STK', 'product': '"
            + (utm ? "Universal Xport" : "OPENstorage D280") + "', 'vpd_c0_id': '" + c0Id + "'"
            + (more.isEmpty() ? "" : ", " + more) + "}}");
    }

    private static String drives(String counters1, String counters2) {
        return "'log_3b': {'controller': [{'code': '0030', 'value': 7}, {'code': '8100', 'text': 'ctl'}],"
            + " 'drives': [{'channel': 1, 'id': 2, 'counters': [" + counters2 + "]},"
            + " {'channel': 0, 'id': 1, 'counters': [" + counters1 + "]},"
            + " {'channel': 5, 'id': 5, 'counters': [9, 9, 9, 9]}]}";
    }

    private void useHost() {
        SimHost.useQuoted("{'journal': '" + journal + "', 'disks': [" + String.join(", ", disks) + "],"
            + " 'dev_entries': [{'dir': 'rdsk', 'name': 'c9t9d9s2', 'link': '../../devices/nowhere:c,raw'}]}");
    }

    private List<String> journalLines() throws IOException {
        return Files.exists(journal) ? Files.readAllLines(journal, StandardCharsets.UTF_8) : List.of();
    }

    private static String row(long... counters) {
        StringBuilder sb = new StringBuilder();
        for (long c : counters) sb.append(String.format("%10d", c));
        return sb.toString();
    }

    @Test
    void twoControllerArrayGivesTheFullString() {
        lun("c1t0d0", "/ssm@0/ssd@0,0", false, ID_A, "");
        lun("c1t0d31", "/ssm@0/ssd@0,1f", true, ID_A, TRANSLATION + ", " + drives("1, 2, 3, 4, 5, 6, 7, 8, 99", "10, 20, 30, 40"));
        lun("c2t0d31", "/ssm@1/ssd@0,1f", true, ID_B, TRANSLATION + ", " + drives("11, 12, 13, 14", "4000000000, 0, 1, 1"));
        useHost();
        String expected = "    2  0  1  1  3   80"
            + row(1, 2, 3, 4, 5, 6, 7, 8) + row(10, 20, 30, 40, 0, 0, 0, 0)
            + row(11, 12, 13, 14, 0, 0, 0, 0) + row(4000000000L, 0, 1, 1, 0, 0, 0, 0);
        assertEquals(expected, interrogator.scsiInterrogate(ID_A, ID_B));
    }

    @Test
    void identifiersMatchingNoLunOrNullGiveZero() throws IOException {
        lun("c1t0d31", "/ssm@0/ssd@0,1f", true, ID_A, TRANSLATION + ", " + drives("1, 1, 1, 1", "1, 1, 1, 1"));
        useHost();
        assertEquals("    0", interrogator.scsiInterrogate("SX99999999999999", "nothing"));
        assertEquals("    0", interrogator.scsiInterrogate(null, null));
        assertTrue(journalLines().stream().noneMatch(l -> l.contains(" 1c01a0")), "no statistics were read");
    }

    @Test
    void onlyControllerOneMatchedIsFollowedByZeroRows() {
        lun("c1t0d31", "/ssm@0/ssd@0,1f", true, ID_A, TRANSLATION + ", " + drives("1, 2, 3, 4", "5, 6, 7, 8"));
        useHost();
        // Compared on 16 characters: the tail of a longer identifier does not matter.
        assertEquals("    2  0  1  1  3   80" + row(1, 2, 3, 4, 0, 0, 0, 0) + row(5, 6, 7, 8, 0, 0, 0, 0)
                + ZERO_ROW + ZERO_ROW,
            interrogator.scsiInterrogate(ID_A + "-and-more", ID_B));
    }

    @Test
    void firstUtmLunReplacesADataLunAndKeepsItsPlace() throws IOException {
        String stats = TRANSLATION + ", " + drives("1, 1, 1, 1", "1, 1, 1, 1");
        lun("c1t0d0", "/ssm@0/ssd@0,0", false, ID_A, stats);
        lun("c1t0d30", "/ssm@0/ssd@0,1e", true, ID_A, stats);
        lun("c1t0d31", "/ssm@0/ssd@0,1f", true, ID_A, stats);
        // A name holding "s2" before its slice suffix is a whole-disk candidate too.
        lun("cs2t0d0", "/ssm@1/ssd@0,0", true, ID_B, stats);
        useHost();
        interrogator.scsiInterrogate(ID_A, ID_B);
        List<String> lines = journalLines();
        assertTrue(lines.contains("USCSI /devices/ssm@0/ssd@0,1e:c,raw 1c01a0ffff00"));
        // cs2t0d0s0 comes first in the directory and is the LUN chosen for controller 2.
        assertTrue(lines.contains("USCSI /devices/ssm@1/ssd@0,0:a,raw 1c01a0ffff00"));
        assertFalse(lines.stream().anyMatch(l -> l.startsWith("USCSI /devices/ssm@0/ssd@0,0:c,raw 1c")));
        assertFalse(lines.stream().anyMatch(l -> l.startsWith("USCSI /devices/ssm@0/ssd@0,1f:c,raw 1c")));
        assertFalse(lines.stream().anyMatch(l -> l.contains(":a,raw") && !l.contains("ssm@1")),
            "only whole-disk entries are opened");
    }

    @Test
    void zeroBlocksWithIOsResetTheStatistics() throws IOException {
        lun("c1t0d31", "/ssm@0/ssd@0,1f", true, ID_A, TRANSLATION + ", " + drives("0, 0, 0, 5", "0, 0, 0, 0"));
        lun("c2t0d31", "/ssm@1/ssd@0,1f", true, ID_B, TRANSLATION + ", " + drives("1, 1, 1, 1", "1, 1, 1, 1"));
        useHost();
        assertEquals("   -2", interrogator.scsiInterrogate(ID_A, ID_B));
        assertTrue(journalLines().contains(
            "USCSI /devices/ssm@0/ssd@0,1f:c,raw 4c004000000000000c00 300000080001600401000000"));

        // A failing LOG SELECT changes nothing in the answer.
        disks.clear();
        lun("c1t0d31", "/ssm@0/ssd@0,1f", true, ID_A,
            TRANSLATION + ", " + drives("0, 0, 0, 5", "0, 0, 0, 0") + ", 'fail': ['log_select']");
        useHost();
        assertEquals("   -2", interrogator.scsiInterrogate(ID_A, ID_B));
    }
}
