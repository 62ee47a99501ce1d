package com.vantor.hostprobe.tests;

import com.vantor.kelda.KdInstance;
import com.vantor.kelda.providers.solaris.SolarisDiskDriveProvider;

/** Looks up the disks named in its arguments; run in a child JVM to see its standard error. */
public final class DiskProbe {
    private DiskProbe() {}

    public static void main(String[] args) {
        SolarisDiskDriveProvider provider = new SolarisDiskDriveProvider();
        for (String id : args) {
            KdInstance disk = provider.getDisk(id);
            System.out.println(id + (disk == null ? " none" : " model=" + disk.get("Model")));
        }
    }
}
