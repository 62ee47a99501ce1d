package com.vantor.hostprobe.tests;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;

import com.vantor.kelda.providers.solaris.SolarisComputerSystemProvider.SolarisComputerSystem;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import com.vantor.kelda.providers.solaris.SolarisOperatingSystemProvider.SolarisOperatingSystem;
import org.junit.jupiter.api.Test;

class ComputerAndOperatingSystemTest {
    private final SolarisNativeMethod natives = new SolarisNativeMethod();

    private static final String SYSINFO =
        "'sysinfo': {'sysname': 'SunOS', 'hostname': 'alpha', 'release': '5.9',"
        + " 'version': 'Generic_118558-11', 'machine': 'sun4u', 'platform': 'SUNW,Sun-Fire-V440'},"
        + "'sysconf': {'pagesize': 8192, 'phys_pages': 2097152, 'avphys_pages': 1048576}";

    /** The five strings of a computer system: OS name, host name, unknown, platform, kernel version. */
    private static String[] fields(SolarisComputerSystem cs) {
        return new String[] {cs.osName, cs.hostName, cs.unknown, cs.platform, cs.kernelVersion};
    }

    @Test
    void computerSystemCarriesSysinfoFieldsAndUnknown() {
        SimHost.useQuoted("{" + SYSINFO + "}");
        assertArrayEquals(new String[] {"SunOS", "alpha", "unknown", "SUNW,Sun-Fire-V440", "Generic_118558-11"},
                          fields(natives.getComputerSystem()));
    }

    @Test
    void failingSysinfoCommandLeavesItsFieldBlank() {
        SimHost.useQuoted("{'sysinfo': {'sysname': 'SunOS', 'hostname': 'alpha', 'version': 'V',"
            + " 'platform': 'P', 'fail': ['platform']}}");
        assertArrayEquals(new String[] {"SunOS", "alpha", "unknown", " ", "V"}, fields(natives.getComputerSystem()));
    }

    @Test
    void malformedDescriptionGivesBlankComputerSystemAndNoOperatingSystem() {
        SimHost.use("{ this is not json");
        SolarisComputerSystem cs = natives.getComputerSystem();
        assertEquals(" ", cs.osName);
        assertEquals("unknown", cs.unknown);
        assertNull(natives.getOperatingSystem());
        SimHost.useQuoted("{'sysinfo': {'colour': 'blue'}}");
        assertEquals(" ", natives.getComputerSystem().osName);
    }

    @Test
    void withoutVminfoSwapIsZeroAndFreeMemoryComesFromSysconf() {
        SimHost.useQuoted("{" + SYSINFO + ", 'kstat': {'chain': []}}");
        SolarisOperatingSystem os = natives.getOperatingSystem();
        assertEquals("SunOS", os.sysName);
        assertEquals("alpha", os.nodeName);
        assertEquals("Generic_118558-11.5.9", os.versionRelease);
        assertEquals(2097152L * 8, os.totalPhysicalMemory);  // 8192-byte pages: 8 KB each
        assertEquals(1048576L * 8, os.freePhysicalMemory);
        assertEquals(0, os.totalSwap);
        assertEquals(0, os.freeSwap);
    }

    @Test
    void vminfoDifferenceGivesFreeMemoryAndSwap() {
        SimHost.useQuoted("{" + SYSINFO + ", 'kstat': {'chain': [{'module': 'unix', 'instance': 0,"
            + " 'name': 'vminfo', 'class': 'vm', 'type': 'raw', 'vminfo': {'freemem': 120000,"
            + " 'swap_resv': 30000, 'swap_alloc': 20000, 'swap_avail': 400000, 'swap_free': 410000}}]}}");
        SolarisOperatingSystem os = natives.getOperatingSystem();
        assertEquals(120000L * 8, os.freePhysicalMemory);
        assertEquals((400000L + 30000L) * 8, os.totalSwap);
        assertEquals(400000L * 8, os.freeSwap);
    }

    @Test
    void fullLengthVersionAndReleaseJoinUncut() {
        String version = "v".repeat(256);
        String release = "r".repeat(256);
        SimHost.useQuoted("{" + SYSINFO + ", 'uname': {'version': '" + version + "', 'release': '" + release + "'}}");
        assertEquals(version + "." + release, natives.getOperatingSystem().versionRelease);
    }

    @Test
    void unameOrKstatFailureGivesNullWithoutException() {
        SimHost.useQuoted("{" + SYSINFO + ", 'uname': {'fail': true}}");
        assertNull(natives.getOperatingSystem());
        SimHost.useQuoted("{" + SYSINFO + ", 'kstat': {'open_fails': true}}");
        assertNull(natives.getOperatingSystem());
        SimHost.useQuoted("{" + SYSINFO + "}");
        assertNotNull(natives.getOperatingSystem());
    }
}
