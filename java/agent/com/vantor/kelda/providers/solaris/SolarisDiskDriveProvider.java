package com.vantor.kelda.providers.solaris;

import com.vantor.kelda.InstanceReceiver;
import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;
import java.util.List;

/** The host's physical disks: device id, label model, physical path and geometry. */
public class SolarisDiskDriveProvider extends DeviceInstanceFactory {
    static {
        System.loadLibrary("hostprobe");
    }

    public static final KdProperty DeviceID = new KdProperty("DeviceID", 0);
    public static final KdProperty Model = new KdProperty("Model", 1);
    public static final KdProperty PhysicalPath = new KdProperty("PhysicalPath", 2);
    public static final KdProperty TotalHeads = new KdProperty("TotalHeads", 3);
    public static final KdProperty SectorsPerTrack = new KdProperty("SectorsPerTrack", 4);
    public static final KdProperty PhysicalCylinders = new KdProperty("PhysicalCylinders", 5);
    public static final KdProperty DataCylinders = new KdProperty("DataCylinders", 6);
    public static final KdProperty AlternateCylinders = new KdProperty("AlternateCylinders", 7);

    public static final KdClass _class = new KdClass("Solaris_DiskDrive", KdNamespace.DEFAULT,
        DeviceID, Model, PhysicalPath, TotalHeads, SectorsPerTrack, PhysicalCylinders, DataCylinders,
        AlternateCylinders);

    public SolarisDiskDriveProvider() {
        super(_class, "makeDisk1");
    }

    /** Hands every disk of the host to the receiver. */
    public native void enumerateDisks(InstanceReceiver receiver);

    /** The disk of a device id such as c0t0d0, or null. */
    public native KdInstance getDisk(String deviceId);

    /** The arguments of every makeDisk1 call, in order. */
    public final List<Object[]> makeDisk1Calls = calls;

    /** Called by the natives with what they gathered for one disk. */
    public KdInstance makeDisk1(String deviceId, String model, String physicalPath, long heads,
                                long sectorsPerTrack, long physicalCylinders, long dataCylinders,
                                long alternateCylinders) {
        return make(deviceId, deviceId, model, physicalPath, heads, sectorsPerTrack, physicalCylinders, dataCylinders,
                    alternateCylinders);
    }
}
