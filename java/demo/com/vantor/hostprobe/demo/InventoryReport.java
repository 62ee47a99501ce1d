package com.vantor.hostprobe.demo;

import com.vantor.kelda.providers.solaris.SolarisAuthenticator;
import com.vantor.kelda.providers.solaris.SolarisDiskIOInformationProvider.SolarisDiskIOInformation;
import com.vantor.kelda.providers.solaris.SolarisLogicalDiskProvider.SolarisLogicalDisk;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import com.vantor.kelda.providers.solaris.processor.SolarisCpuUtilizationInformationProvider.SolarisCpuUtilizationData;
import com.vantor.kelda.providers.solaris.processor.SolarisProcessorProvider.SolarisProcessorData;

/** The host inventory sections of the report: file systems, processors, disk I/O, a password check. */
final class InventoryReport {
    private final SolarisNativeMethod natives;

    InventoryReport(SolarisNativeMethod natives) {
        this.natives = natives;
    }

    void print() {
        logicalDisks();
        processors();
        cpuTicks();
        diskIO();
        passwordCheck();
    }

    private static void heading(String title) {
        System.out.println();
        System.out.println("== " + title);
    }

    private static void line(String format, Object... args) {
        System.out.printf("  " + format + "%n", args);
    }

    private static String bytes(long value) {
        if (value < 0) return Long.toUnsignedString(value) + " B";
        return String.format("%.1f GB", value / (1024.0 * 1024 * 1024));
    }

    private void logicalDisks() {
        heading("Logical disks (mounted UFS and NFS file systems)");
        try {
            java.util.Vector<Object> disks = natives.enumerateLogicalDiskNames();
            if (disks.isEmpty()) line("(none: no UFS or NFS file system is mounted)");
            for (Object o : disks) {
                SolarisLogicalDisk listed = (SolarisLogicalDisk) o;
                try {
                    SolarisLogicalDisk d = natives.getLogicalDiskByName(listed.name);
                    line("%-24s on %-18s %-4s size %9s  free %9s  available %9s  block %d", d.name, d.mountPoint,
                         d.fileSystemType, bytes(d.size), bytes(d.free), bytes(d.available), d.blockSize);
                } catch (RuntimeException e) {
                    line("%-24s (%s)", listed.name, e.getMessage());
                }
            }
        } catch (RuntimeException e) {
            line("(unavailable: %s)", e.getMessage());
        }
    }

    private void processors() {
        heading("Processors");
        try {
            for (Object o : natives.enumerateProcessors()) {
                SolarisProcessorData p = (SolarisProcessorData) o;
                line("cpu %-3d %-10s %-8s %d MHz", p.id, p.type, p.status, p.clockMHz);
            }
        } catch (RuntimeException e) {
            line("(unavailable: %s)", e.getMessage());
        }
    }

    private void cpuTicks() {
        heading("CPU ticks (cumulative)");
        line("%-7s %14s %14s %14s %14s", "cpu", "user", "kernel", "wait", "idle");
        try {
            for (Object o : natives.enumerateCpuUtilizationInfo()) {
                SolarisCpuUtilizationData t = (SolarisCpuUtilizationData) o;
                line("%-7d %14d %14d %14d %14d", t.id, t.user, t.kernel, t.wait, t.idle);
            }
        } catch (RuntimeException e) {
            line("(unavailable: %s)", e.getMessage());
        }
    }

    private void diskIO() {
        heading("Disk I/O (cumulative)");
        line("%-10s %-10s %16s %16s %18s %18s", "name", "device", "bytes read", "bytes written",
             "wait update ns", "run time ns");
        try {
            String firstDevice = null;
            for (Object o : natives.enumerateDiskIOInformation()) {
                SolarisDiskIOInformation d = (SolarisDiskIOInformation) o;
                line("%-10s %-10s %16s %16s %18d %18d", d.name, d.deviceId.isEmpty() ? "-" : d.deviceId,
                     Long.toUnsignedString(d.bytesRead), Long.toUnsignedString(d.bytesWritten), d.waitUpdateTime,
                     d.runTime);
                if (firstDevice == null && !d.deviceId.isEmpty()) firstDevice = d.deviceId;
            }
            if (firstDevice != null) {
                SolarisDiskIOInformation one = natives.getDiskIOInformation(firstDevice);
                line("lookup of %s: %s", firstDevice, one == null ? "none" : one.name);
            }
        } catch (RuntimeException e) {
            line("(unavailable: %s)", e.getMessage());
        }
    }

    private void passwordCheck() {
        heading("Password check");
        SolarisAuthenticator auth = new SolarisAuthenticator();
        String[][] tries = {{"demo", "mercury"}, {"demo", "venus"}, {"nobody", ""}, {"nosuchuser", "x"}};
        for (String[] t : tries) {
            line("%-12s %-10s %s", t[0], "\"" + t[1] + "\"", auth.authenticate(t[0], t[1]) ? "accepted" : "refused");
        }
        line("library built %s", auth.getLibraryBuildDate());
    }
}
