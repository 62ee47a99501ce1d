package com.vantor.kelda.providers.solaris;

import com.vantor.kelda.InstanceReceiver;
import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdInstance;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

/** The slices of the host's disks: name, disk, slice number, size, tag, flags, mounted. */
public class SolarisDiskPartitionProvider {
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

    /** Hands every slice of the host to the receiver. */
    public native void enumeratePartitions(InstanceReceiver receiver);

    /** The slice of a "/dev/rdsk" entry name such as c0t0d0s3, or null. */
    public native KdInstance getPartition(String name);

    /** The arguments of every makePartition1 call, in order. */
    public final List<Object[]> makePartition1Calls = Collections.synchronizedList(new ArrayList<>());
    /** Names for which makePartition1 returns null. */
    public final Set<String> returnNullFor = new HashSet<>();
    /** Names for which makePartition1 throws IllegalStateException. */
    public final Set<String> throwFor = new HashSet<>();

    /** Called by the natives with what they gathered for one slice. */
    public KdInstance makePartition1(String name, String deviceId, int slice, int size, short tag,
                                     short flags, boolean mounted) {
        makePartition1Calls.add(new Object[] {name, deviceId, slice, size, tag, flags, mounted});
        if (throwFor.contains(name)) throw new IllegalStateException("makePartition1 refused " + name);
        if (returnNullFor.contains(name)) return null;
        Object[] values = _class.getDefaultValues();
        Name.set(values, name);
        DeviceID.set(values, deviceId);
        Slice.set(values, slice);
        Size.set(values, size);
        Tag.set(values, tag);
        Flags.set(values, flags);
        Mounted.set(values, mounted);
        return new KdInstance(_class, values);
    }
}
