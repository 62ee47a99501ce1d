package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.vantor.kelda.providers.solaris.SolarisLogicalDiskProvider.SolarisLogicalDisk;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import java.util.List;
import java.util.Vector;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Test;

class LogicalDiskTest {
    private final SolarisNativeMethod natives = new SolarisNativeMethod();

    private static final String MNTTAB = "{'mnttab': {'entries': ["
        + "{'special': '/dev/dsk/c0t0d0s0', 'mountp': '/', 'fstype': 'ufs', 'options': 'rw', 'time': '1',"
        + " 'statvfs': {'bsize': 8192, 'frsize': 1024, 'blocks': 8000000, 'bfree': 3000000, 'bavail': 2900000}},"
        + "{'special': 'nfs1:/export/home', 'mountp': '/home', 'fstype': 'nfs',"
        + " 'statvfs': {'bsize': 32768, 'frsize': 4096, 'blocks': 100, 'bfree': 40, 'bavail': 30}},"
        + "{'special': 'swap', 'mountp': '/tmp', 'fstype': 'tmpfs'},"
        + "{'special': 'proc', 'mountp': '/proc', 'fstype': 'proc'},"
        + "{'special': '/dev/dsk/c0t0d0s0', 'mountp': '/again', 'fstype': 'ufs'},"
        + "{'special': '/dev/dsk/c0t1d0s7', 'mountp': '/export', 'fstype': 'ufs', 'statvfs_fails': true}"
        + "]}}";

    private List<SolarisLogicalDisk> all() {
        Vector<Object> disks = natives.enumerateLogicalDiskNames();
        return disks.stream().map(o -> (SolarisLogicalDisk) o).collect(Collectors.toList());
    }

    private String notFound(String name) {
        return assertThrows(RuntimeException.class, () -> natives.getLogicalDiskByName(name)).getMessage();
    }

    @Test
    void enumerationListsUfsAndNfsOnlyInTableOrderWithZeroCapacities() {
        SimHost.useQuoted(MNTTAB);
        List<SolarisLogicalDisk> disks = all();
        assertEquals(List.of("/dev/dsk/c0t0d0s0", "nfs1:/export/home", "/dev/dsk/c0t0d0s0", "/dev/dsk/c0t1d0s7"),
                     disks.stream().map(d -> d.name).collect(Collectors.toList()));
        assertEquals("/", disks.get(0).mountPoint);
        assertEquals("nfs", disks.get(1).fileSystemType);
        // A duplicate resource is listed twice, and each lookup answers the first entry.
        assertEquals("/", disks.get(2).mountPoint);
        for (SolarisLogicalDisk d : disks) {
            assertEquals(0, d.size + d.available + d.free + d.blockSize);
        }
    }

    @Test
    void lookupByNameCarriesCapacities() {
        SimHost.useQuoted(MNTTAB);
        SolarisLogicalDisk root = natives.getLogicalDiskByName("/dev/dsk/c0t0d0s0");
        assertEquals("/", root.mountPoint);
        assertEquals("ufs", root.fileSystemType);
        assertEquals(8000000L * 1024, root.size);
        assertEquals(2900000L * 1024, root.available);
        assertEquals(3000000L * 1024, root.free);
        assertEquals(8192, root.blockSize);

        SolarisLogicalDisk home = natives.getLogicalDiskByName("nfs1:/export/home");
        assertEquals("/home", home.mountPoint);
        assertEquals("nfs", home.fileSystemType);
        assertEquals(30L * 4096, home.available);

        // A file system that cannot report keeps zero capacities.
        SolarisLogicalDisk export = natives.getLogicalDiskByName("/dev/dsk/c0t1d0s7");
        assertEquals("/export", export.mountPoint);
        assertEquals(0, export.size + export.available + export.free + export.blockSize);
    }

    @Test
    void namesThatAreNotExactlyAMountedUfsOrNfsResourceAreNotFound() {
        SimHost.useQuoted(MNTTAB);
        assertEquals("Logical Disk Not Found: swap", notFound("swap"));
        assertEquals("Logical Disk Not Found: /dev/dsk/c0t0d0s", notFound("/dev/dsk/c0t0d0s"));
        assertEquals("Logical Disk Not Found: ", notFound(""));
        String longName = "/dev/dsk/" + "x".repeat(20000);
        assertEquals("Logical Disk Not Found: " + longName, notFound(longName));
        String odd = "disk\u0000\u00e9\ud83d\ude00";
        assertEquals("Logical Disk Not Found: " + odd, notFound(odd));
        assertThrows(NullPointerException.class, () -> natives.getLogicalDiskByName(null));
    }

    @Test
    void unreadableMountTableGivesEmptyListAndErrorOnLookup() {
        SimHost.useQuoted("{'mnttab': {'unreadable': true}}");
        assertTrue(natives.enumerateLogicalDiskNames().isEmpty());
        assertEquals("Unable to open mount table file: /etc/mnttab", notFound("/dev/dsk/c0t0d0s0"));
    }
}
