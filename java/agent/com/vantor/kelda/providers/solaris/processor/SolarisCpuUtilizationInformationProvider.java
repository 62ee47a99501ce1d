package com.vantor.kelda.providers.solaris.processor;

public class SolarisCpuUtilizationInformationProvider {
    /** Cumulative CPU ticks of one processor. */
    public static class SolarisCpuUtilizationData {
        public final int id;
        public final long user;
        public final long kernel;
        public final long wait;
        public final long idle;

        public SolarisCpuUtilizationData(int id, long user, long kernel, long wait, long idle) {
            this.id = id;
            this.user = user;
            this.kernel = kernel;
            this.wait = wait;
            this.idle = idle;
        }
    }
}
