package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;

import com.vantor.kelda.providers.solaris.SolarisDiskIOInformationProvider.SolarisDiskIOInformation;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import java.util.List;
import java.util.stream.Collectors;
import org.junit.jupiter.api.Test;

class DiskIOTest {
    private final SolarisNativeMethod natives = new SolarisNativeMethod();

    private static String io(String module, int instance, String name, String ksClass, String counters) {
        return "{'module': '" + module + "', 'instance': " + instance + ", 'name': '" + name + "', 'class': '"
            + ksClass + "', 'type': 'io', 'io': " + counters + "}";
    }

    private static final String HOST = "{"
        + "'disks': ["
        + "{'name': 'c0t0d0', 'node': '/pci@1f,4000/scsi@3/sd@0,0', 'driver': 'sd', 'instance': 0},"
        + "{'name': 'c1t3d0', 'node': '/pci@1f,4000/scsi@3/sd@3,0', 'driver': 'sd', 'instance': 3},"
        + "{'name': 'c2t1d0', 'node': '/pci@1d,700000/SUNW,qlc@1/fp@0,0/ssd@w21000020370c0de8,0',"
        + " 'driver': 'ssd', 'instance': 12}],"
        + "'kstat': {'chain': ["
        + io("sd", 0, "sd0", "disk", "{'nread': 10, 'nwritten': 20, 'wlastupdate': 30, 'rtime': 40}") + ","
        + io("sd", 3, "sd3", "disk", "{'nread': 1000, 'nwritten': 2000, 'wtime': 5, 'wlastupdate': 777, 'rtime': 888}")
        + "," + io("sd", 3, "sd3,a", "partition", "{'nread': 1}") + ","
        + io("ssd", 12, "ssd12", "disk", "{'nread': 18446744073709551615, 'nwritten': 0}") + ","
        + io("fd", 0, "fd0", "disk", "{'nread': 7}") + ","
        + "{'module': 'sd', 'instance': 4, 'name': 'sd4', 'class': 'disk', 'type': 'raw'},"
        + io("sd", 9, "sd9", "disk", "{'nread': 9}").replace("}}", "}, 'read_fails': true}")
        + "]}}";

    private List<SolarisDiskIOInformation> all() {
        return natives.enumerateDiskIOInformation().stream()
            .map(o -> (SolarisDiskIOInformation) o).collect(Collectors.toList());
    }

    @Test
    void enumerationReportsWholeDisksUnderBothNames() {
        SimHost.useQuoted(HOST);
        List<SolarisDiskIOInformation> list = all();
        assertEquals(List.of("sd0", "sd3", "ssd12", "fd0"), list.stream().map(d -> d.name).collect(Collectors.toList()));
        assertEquals(List.of("c0t0d0", "c1t3d0", "c2t1d0", ""),
                     list.stream().map(d -> d.deviceId).collect(Collectors.toList()));
        SolarisDiskIOInformation sd3 = list.get(1);
        assertEquals(1000, sd3.bytesRead);
        assertEquals(2000, sd3.bytesWritten);
        assertEquals(777, sd3.waitUpdateTime);  // wlastupdate, not wtime
        assertEquals(888, sd3.runTime);
        assertEquals(-1L, list.get(2).bytesRead);  // unsigned 64-bit counter, as Java long
    }

    @Test
    void lookupByDeviceIdHandsBackTheCallersString() {
        SimHost.useQuoted(HOST);
        String deviceId = new String("c1t3d0");
        SolarisDiskIOInformation sd3 = natives.getDiskIOInformation(deviceId);
        assertEquals("sd3", sd3.name);
        assertSame(deviceId, sd3.deviceId);
        assertEquals("ssd12", natives.getDiskIOInformation("c2t1d0").name);
    }

    @Test
    void unknownDeviceIdsGiveNullWithoutException() {
        SimHost.useQuoted(HOST);
        assertNull(natives.getDiskIOInformation("c9t9d9"));
        assertNull(natives.getDiskIOInformation(""));
        assertNull(natives.getDiskIOInformation("c".repeat(100000)));
        assertNull(natives.getDiskIOInformation("c\u0000\ud83d\ude00"));
        assertThrows(NullPointerException.class, () -> natives.getDiskIOInformation(null));
        // A disk the map knows but without a statistic.
        SimHost.useQuoted(HOST.replace("'ssd', 'instance': 12", "'ssd', 'instance': 13"));
        assertNull(natives.getDiskIOInformation("c2t1d0"));
        assertEquals("", all().get(2).deviceId);
    }

    @Test
    void kernelStatisticsThatDoNotOpenRaiseTheMessage() {
        SimHost.useQuoted("{'kstat': {'open_fails': true}, 'disks': [{'name': 'c0t0d0',"
            + " 'node': '/pci@1f,4000/scsi@3/sd@0,0', 'driver': 'sd', 'instance': 0}]}");
        assertEquals("kstat open failed.",
                     assertThrows(RuntimeException.class, () -> natives.enumerateDiskIOInformation()).getMessage());
        assertEquals("kstat open failed.",
                     assertThrows(RuntimeException.class, () -> natives.getDiskIOInformation("c0t0d0")).getMessage());
    }
}
