package com.vantor.kelda.providers.solaris;

public class SolarisComputerSystemProvider {
    /** What getComputerSystem reports, as the native built it. */
    public static class SolarisComputerSystem {
        public final String osName;
        public final String hostName;
        public final String unknown;
        public final String platform;
        public final String kernelVersion;

        public SolarisComputerSystem(String osName, String hostName, String unknown, String platform,
                                     String kernelVersion) {
            this.osName = osName;
            this.hostName = hostName;
            this.unknown = unknown;
            this.platform = platform;
            this.kernelVersion = kernelVersion;
        }
    }
}
