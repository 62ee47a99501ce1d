package com.vantor.hostprobe.tests;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;
import com.vantor.kelda.providers.solaris.SolarisDiskIOInformationProvider.SolarisDiskIOInformation;
import com.vantor.kelda.providers.solaris.SolarisDiskPartitionProvider;
import com.vantor.kelda.providers.solaris.SolarisNativeMethod;

/**
 * What the disk natives answer on the machine it runs on, one line a disk, slice and disk
 * statistic, for scripts/test-live-disks to compare with the tools of the host.
 */
public final class LiveDiskDump {
    private LiveDiskDump() {}

    public static void main(String[] args) {
        new SolarisDiskDriveProvider().enumerateDisks(d -> System.out.printf("disk %s %s %d %d %d %d %d %s%n",
            d.get("DeviceID"), d.get("Model"), d.get("TotalHeads"), d.get("SectorsPerTrack"),
            d.get("PhysicalCylinders"), d.get("DataCylinders"), d.get("AlternateCylinders"), d.get("PhysicalPath")));
        new SolarisDiskPartitionProvider().enumeratePartitions(p -> System.out.printf("part %s %s %d %d %d %d %b%n",
            p.get("Name"), p.get("DeviceID"), p.get("Slice"), p.get("Size"), Short.toUnsignedInt((Short) p.get("Tag")),
            Short.toUnsignedInt((Short) p.get("Flags")), p.get("Mounted")));
        for (Object o : new SolarisNativeMethod().enumerateDiskIOInformation()) {
            SolarisDiskIOInformation io = (SolarisDiskIOInformation) o;
            System.out.printf("io %s %s%n", io.name, io.deviceId.isEmpty() ? "-" : io.deviceId);
        }
    }
}
