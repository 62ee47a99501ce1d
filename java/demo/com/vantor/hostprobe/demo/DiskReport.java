package com.vantor.hostprobe.demo;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;
import com.vantor.kelda.providers.solaris.SolarisDiskPartitionProvider;
import java.util.ArrayList;
import java.util.List;

/** The physical disks of the host with their geometry, and the slices of every disk. */
final class DiskReport {
    private static final String[] TAGS = {
        "unassigned", "boot", "root", "swap", "usr", "backup", "stand", "var", "home", "altsctr"};

    private DiskReport() {}

    static void print() {
        drives();
        partitions();
    }

    private static void drives() {
        System.out.println();
        System.out.println("== Disk drives");
        List<KdInstance> disks = new ArrayList<>();
        new SolarisDiskDriveProvider().enumerateDisks(disks::add);
        if (disks.isEmpty()) {
            System.out.println("  (no disk drives)");
            return;
        }
        System.out.printf("  %-10s %-26s %5s %4s %6s %6s %4s %9s  %s%n", "device id", "model", "heads",
                          "sect", "pcyl", "ncyl", "acyl", "capacity", "physical path");
        for (KdInstance disk : disks) {
            long heads = (Long) disk.get("TotalHeads");
            long sectors = (Long) disk.get("SectorsPerTrack");
            long dataCylinders = (Long) disk.get("DataCylinders");
            String model = (String) disk.get("Model");
            System.out.printf("  %-10s %-26s %5d %4d %6d %6d %4d %9s  %s%n", disk.get("DeviceID"),
                              model == null ? "(no label)" : model, heads, sectors,
                              disk.get("PhysicalCylinders"), dataCylinders, disk.get("AlternateCylinders"),
                              gigabytes(heads * sectors * dataCylinders), disk.get("PhysicalPath"));
        }
    }

    private static void partitions() {
        System.out.println();
        System.out.println("== Disk partitions");
        List<KdInstance> slices = new ArrayList<>();
        new SolarisDiskPartitionProvider().enumeratePartitions(slices::add);
        if (slices.isEmpty()) {
            System.out.println("  (no partitions: no disk with a label that can be read)");
            return;
        }
        System.out.printf("  %-12s %-10s %5s %11s %9s %-10s %5s  %s%n", "name", "device id", "slice", "sectors",
                          "size", "tag", "flags", "mounted");
        for (KdInstance slice : slices) {
            int sectors = (Integer) slice.get("Size");
            int tag = Short.toUnsignedInt((Short) slice.get("Tag"));
            System.out.printf("  %-12s %-10s %5d %11d %9s %-10s  0x%02x  %s%n", slice.get("Name"),
                              slice.get("DeviceID"), slice.get("Slice"), sectors,
                              gigabytes(Integer.toUnsignedLong(sectors)),
                              tag < TAGS.length ? TAGS[tag] : String.format("0x%02x", tag),
                              Short.toUnsignedInt((Short) slice.get("Flags")),
                              (Boolean) slice.get("Mounted") ? "yes" : "no");
        }
    }

    /** 512-byte sectors as gigabytes. */
    private static String gigabytes(long sectors) {
        return String.format("%.1f GB", sectors * 512.0 / (1024.0 * 1024 * 1024));
    }
}
