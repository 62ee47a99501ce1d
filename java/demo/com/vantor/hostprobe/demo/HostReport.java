package com.vantor.hostprobe.demo;

import com.vantor.kelda.providers.solaris.SolarisComputerSystemProvider.SolarisComputerSystem;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;
import com.vantor.kelda.providers.solaris.SolarisOperatingSystemProvider.SolarisOperatingSystem;

/** The agent's view of a host: calls the natives and prints what they return. */
public final class HostReport {
    private final SolarisNativeMethod natives = new SolarisNativeMethod();
    static String[] arguments = new String[0];

    public static void main(String[] args) {
        arguments = args;
        boolean live = args.length > 0 && args[0].equals("--live");
        String host = live ? "this machine" : System.getenv("HOSTPROBE_SIMHOST");
        System.out.println("hostprobe report for " + host);
        System.out.println("natives " + LibraryStamp.of("hostprobe") + ", " + LibraryStamp.of("fsscan"));
        new HostReport().run();
    }

    private void run() {
        computerSystem();
        operatingSystem();
        new InventoryReport(natives).print();
        HbaReport.print();
        ArrayStatisticsReport.print();
        DiskReport.print();
        FsScanReport.print(arguments);
    }

    private static void heading(String title) {
        System.out.println();
        System.out.println("== " + title);
    }

    private static void row(String label, Object value) {
        System.out.printf("  %-22s %s%n", label, value);
    }

    private void computerSystem() {
        heading("Computer system");
        SolarisComputerSystem cs = natives.getComputerSystem();
        row("operating system", cs.osName);
        row("host name", cs.hostName);
        row("(dedicated)", cs.unknown);
        row("platform", cs.platform);
        row("kernel version", cs.kernelVersion);
    }

    private void operatingSystem() {
        heading("Operating system");
        SolarisOperatingSystem os = natives.getOperatingSystem();
        if (os == null) {
            row("(unavailable)", "");
            return;
        }
        row("name", os.sysName);
        row("node", os.nodeName);
        row("version.release", os.versionRelease);
        row("physical memory", kb(os.totalPhysicalMemory));
        row("free memory", kb(os.freePhysicalMemory));
        row("total swap", kb(os.totalSwap));
        row("free swap", kb(os.freeSwap));
    }

    static String kb(long kilobytes) {
        return String.format("%,d KB (%.1f GB)", kilobytes, kilobytes / 1048576.0);
    }
}
