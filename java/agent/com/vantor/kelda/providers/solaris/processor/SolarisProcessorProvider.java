package com.vantor.kelda.providers.solaris.processor;

public class SolarisProcessorProvider {
    /** One processor: id, type, status and clock in MHz. */
    public static class SolarisProcessorData {
        public final int id;
        public final String type;
        public final String status;
        public final long clockMHz;

        public SolarisProcessorData(int id, String type, String status, long clockMHz) {
            this.id = id;
            this.type = type;
            this.status = status;
            this.clockMHz = clockMHz;
        }
    }
}
