package com.vantor.kelda.providers.solaris;

public class SolarisOperatingSystemProvider {
    /** What getOperatingSystem reports; memory figures in kilobytes. */
    public static class SolarisOperatingSystem {
        public final String sysName;
        public final String nodeName;
        public final String versionRelease;
        public final long totalPhysicalMemory;
        public final long freePhysicalMemory;
        public final long totalSwap;
        public final long freeSwap;

        public SolarisOperatingSystem(String sysName, String nodeName, String versionRelease,
                                      long totalPhysicalMemory, long freePhysicalMemory,
                                      long totalSwap, long freeSwap) {
            this.sysName = sysName;
            this.nodeName = nodeName;
            this.versionRelease = versionRelease;
            this.totalPhysicalMemory = totalPhysicalMemory;
            this.freePhysicalMemory = freePhysicalMemory;
            this.totalSwap = totalSwap;
            this.freeSwap = freeSwap;
        }
    }
}
