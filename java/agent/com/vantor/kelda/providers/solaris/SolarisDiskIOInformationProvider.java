package com.vantor.kelda.providers.solaris;

public class SolarisDiskIOInformationProvider {
    /** Cumulative I/O counters of one disk. */
    public static class SolarisDiskIOInformation {
        public final String name;
        public final String deviceId;
        public final long bytesRead;
        public final long bytesWritten;
        public final long waitUpdateTime;
        public final long runTime;

        public SolarisDiskIOInformation(String name, String deviceId, long bytesRead, long bytesWritten,
                                        long waitUpdateTime, long runTime) {
            this.name = name;
            this.deviceId = deviceId;
            this.bytesRead = bytesRead;
            this.bytesWritten = bytesWritten;
            this.waitUpdateTime = waitUpdateTime;
            this.runTime = runTime;
        }
    }
}
