package com.vantor.kelda.providers.solaris;

import com.vantor.kelda.InstanceReceiver;
import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;
import java.util.List;

/** The slices of the host's disks: name, disk, slice number, size, tag, flags, mounted. */
public class SolarisDiskPartitionProvider extends DeviceInstanceFactory {
    static {
        System.loadLibrary("hostprobe");
    }

    public static final KdProperty Name = new KdProperty("Name", 0);
    public static final KdProperty DeviceID = new KdProperty("DeviceID", 1);
    public static final KdProperty Slice = new KdProperty("Slice", 2);
    public static final KdProperty Size = new KdProperty("Size", 3);
    public static final KdProperty Tag = new KdProperty("Tag", 4);
    public static final KdProperty Flags = new KdProperty("Flags", 5);
    public static final KdProperty Mounted = new KdProperty("Mounted", 6);

    public static final KdClass _class = new KdClass("Solaris_DiskPartition", KdNamespace.DEFAULT,
        Name, DeviceID, Slice, Size, Tag, Flags, Mounted);

    public SolarisDiskPartitionProvider() {
        super(_class, "makePartition1");
    }

    /** Hands every slice of the host to the receiver. */
    public native void enumeratePartitions(InstanceReceiver receiver);

    /** The slice of a "/dev/rdsk" entry name such as c0t0d0s3, or null. */
    public native KdInstance getPartition(String name);

    /** The arguments of every makePartition1 call, in order. */
    public final List<Object[]> makePartition1Calls = calls;

    /** Called by the natives with what they gathered for one slice. */
    public KdInstance makePartition1(String name, String deviceId, int slice, int size, short tag,
                                     short flags, boolean mounted) {
        return make(name, name, deviceId, slice, size, tag, flags, mounted);
    }
}
