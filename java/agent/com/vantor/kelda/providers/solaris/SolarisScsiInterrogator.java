package com.vantor.kelda.providers.solaris;

/**
 * Per-drive I/O statistics of a dual-controller RAID array, read through the array's LUNs.
 *
 * The answer is a fixed-width text: "    0" when no statistics were read, "   -2" when the
 * controllers' statistics were reset and should be read again later, or else the drive count
 * (5 characters), the tray and slot of each drive (3 + 3 characters), "   80", then one
 * 80-character row of eight 10-character counters per drive for controller 1, and the same
 * rows for controller 2.
 */
public class SolarisScsiInterrogator {
    static {
        System.loadLibrary("hostprobe");
    }

    /** Interrogates the array whose controllers report these identifiers (16 characters compared). */
    public native String scsiInterrogate(String controller1, String controller2);
}
