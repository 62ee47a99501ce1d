package com.vantor.kelda.providers.solaris;

public class SolarisLogicalDiskProvider {
    /** A mounted UFS or NFS file system. */
    public static class SolarisLogicalDisk {
        public final String name;
        public final String mountPoint;
        public final String fileSystemType;
        public final long size;
        public final long available;
        public final long free;
        public final long blockSize;

        public SolarisLogicalDisk(String name, String mountPoint, String fileSystemType, long size,
                                  long available, long free, long blockSize) {
            this.name = name;
            this.mountPoint = mountPoint;
            this.fileSystemType = fileSystemType;
            this.size = size;
            this.available = available;
            this.free = free;
            this.blockSize = blockSize;
        }
    }
}
