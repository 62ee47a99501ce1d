package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;
import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;

class DiskDriveTest {
    private SolarisDiskDriveProvider provider;
    private final List<KdInstance> received = new ArrayList<>();

    @BeforeEach
    void useDiskHost() {
        SimHost.useQuoted(DiskHosts.HOST);
        provider = new SolarisDiskDriveProvider();
        received.clear();
    }

    private Object[] callFor(String deviceId) {
        for (Object[] call : provider.makeDisk1Calls) {
            if (call[0].equals(deviceId)) return call;
        }
        return null;
    }

    @Test
    void onlyWholeDiskEntriesThatOpenReadWriteBecomeDisks() {
        provider.enumerateDisks(received::add);
        List<Object> ids = new ArrayList<>();
        for (KdInstance disk : received) ids.add(disk.get("DeviceID"));
        // c1t1d0 opens only read-only, emcpower entries have no s2, c9t9d9s2 has no node.
        assertEquals(List.of("c0t0d0", "c0t1d0", "c1t0d0", "c2t0d0", "c5t0d0", "c6t0d0"), ids);
    }

    @Test
    void labelModelPathAndGeometryInArgumentOrder() {
        provider.enumerateDisks(received::add);
        assertArrayEquals(new Object[] {"c0t0d0", "SUN36G", "/pci@1f,4000/scsi@3/sd@0,0", 27L, 107L, 964L, 962L, 2L},
                          callFor("c0t0d0"));
        KdInstance first = received.get(0);
        assertEquals(27L, first.get("TotalHeads"));
        assertEquals(962L, first.get("DataCylinders"));

        assertEquals("NOBLANKLABEL", callFor("c0t1d0")[1]);  // terminated, no blank: whole label
        assertEquals(" ", callFor("c2t0d0")[1]);              // 128 characters, neither
        assertNull(callFor("c5t0d0")[2]);                     // link outside /devices
        assertEquals("/pci@1f,4000/scsi@3/sd@6,0", callFor("c6t0d0")[2]);  // no minor-name suffix
    }

    @Test
    void geometryRefusedReadWriteIsReadAfterReadOnlyReopen() {
        assertNotNull(provider.getDisk("c0t1d0"));
        assertArrayEquals(new Object[] {"c0t1d0", "NOBLANKLABEL", "/pci@1f,4000/scsi@3/sd@1,0", 2L, 3L, 101L, 100L, 1L},
                          provider.makeDisk1Calls.get(0));
    }

    @Test
    void unlabelledDiskHasNullModelAndZeroGeometry() {
        KdInstance disk = provider.getDisk("c1t0d0");
        assertNotNull(disk);
        assertArrayEquals(new Object[] {"c1t0d0", null, "/pci@1f,2000/scsi@1/sd@0,0", 0L, 0L, 0L, 0L, 0L},
                          provider.makeDisk1Calls.get(0));
    }

    @Test
    void singleDiskNamesTheDeviceIdOnly() {
        assertEquals("c0t0d0", provider.getDisk("c0t0d0").get("DeviceID"));
        assertNull(provider.getDisk("c0t0d0s2"));  // looks for c0t0d0s2s2
        assertNull(provider.getDisk("c1t1d0"));    // read-write open refused
        assertNull(provider.getDisk("c4t4d4"));
        assertNull(provider.getDisk("x".repeat(98)));
        assertNull(provider.getDisk("y".repeat(5000)));
        assertNull(provider.getDisk("../../devices/pci@1f,4000/scsi@3/sd@0,0:c,raw#"));
        assertNull(provider.getDisk("c0t0d0\u0000x"));  // not c0t0d0, cut at the NUL
        assertEquals(1, provider.makeDisk1Calls.size());
        assertThrows(NullPointerException.class, () -> provider.getDisk(null));
    }

    @Test
    void factoryReturningNullSkipsTheDiskAndGoesOn() {
        provider.returnNullFor.add("c0t1d0");
        provider.enumerateDisks(received::add);
        assertEquals(5, received.size());
        assertEquals(6, provider.makeDisk1Calls.size());
        assertNull(provider.getDisk("c0t1d0"));
    }

    @Test
    void receiverThrowingOnSecondDiskStopsTheWalkAndIsPrintedNotThrown() {
        ByteArrayOutputStream err = new ByteArrayOutputStream();
        PrintStream saved = System.err;
        System.setErr(new PrintStream(err, true, StandardCharsets.UTF_8));
        try {
            provider.enumerateDisks(disk -> {
                received.add(disk);
                if (received.size() == 2) throw new IllegalArgumentException("receiver full");
            });
        } finally {
            System.setErr(saved);
        }
        assertEquals(2, received.size());
        assertEquals(2, provider.makeDisk1Calls.size());  // no third disk was built
        String printed = err.toString(StandardCharsets.UTF_8);
        assertTrue(printed.contains("IllegalArgumentException: receiver full"), printed);
        assertTrue(printed.contains("DiskDriveTest"), printed);  // with its stack trace
    }

    @Test
    void factoryThrowingReachesTheSingleDiskCaller() {
        provider.throwFor.add("c0t0d0");
        IllegalStateException e = assertThrows(IllegalStateException.class, () -> provider.getDisk("c0t0d0"));
        assertEquals("makeDisk1 refused c0t0d0", e.getMessage());
        provider.enumerateDisks(received::add);  // printed and cleared: the call returns
        assertTrue(received.isEmpty());
    }

    @Test
    void noDiskDirectoryDeliversNothing() {
        SimHost.useQuoted("{}");
        provider.enumerateDisks(received::add);
        assertTrue(received.isEmpty());
        SimHost.use("{ not json");
        provider.enumerateDisks(received::add);
        assertNull(provider.getDisk("c0t0d0"));
        assertTrue(received.isEmpty());
    }

    /** The ioctl failures are reported with perror on the process's standard error. */
    @Test
    void failedLabelIsReportedOnStandardError() throws Exception {
        Path host = Files.createTempFile("disks", ".json");
        Files.write(host, DiskHosts.HOST.replace('\'', '"').getBytes(StandardCharsets.UTF_8));
        String build = System.getProperty("hostprobe.build");
        ProcessBuilder pb = new ProcessBuilder(
            Path.of(System.getProperty("java.home"), "bin", "java").toString(), "-Xcheck:jni",
            "-Djava.library.path=" + build + "/lib",
            "-cp", build + "/java/hostprobe-agent.jar:" + build + "/java/hostprobe-tests.jar",
            DiskProbe.class.getName(), "c1t0d0");
        pb.environment().put("HOSTPROBE_SIMHOST", host.toString());
        Process child = pb.start();
        String out = new String(child.getInputStream().readAllBytes(), StandardCharsets.UTF_8);
        String err = new String(child.getErrorStream().readAllBytes(), StandardCharsets.UTF_8);
        assertTrue(child.waitFor(60, TimeUnit.SECONDS));
        Files.delete(host);
        assertEquals(0, child.exitValue(), err);
        assertTrue(out.contains("c1t0d0 model=null"), out);
        assertTrue(err.contains("SolarisDiskDrive DKIOCGVTOC: Invalid argument"), err);
        assertFalse(err.contains("DKIOCGGEOM"), err);
        assertFalse(err.contains("in native method"), err);
    }
}
