package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;

/** SCSI logical units behind discovered ports: the FCP target mappings of the adapters. */
public class TargetMappingProvider {
    public static final KdProperty antecedent = new KdProperty("antecedent", 0);
    public static final KdProperty dependent = new KdProperty("dependent", 1);
    public static final KdProperty scsiBus = new KdProperty("scsiBus", 2);
    public static final KdProperty targetId = new KdProperty("targetId", 3);
    public static final KdProperty scsiLun = new KdProperty("scsiLun", 4);
    public static final KdProperty osDeviceName = new KdProperty("osDeviceName", 5);
    public static final KdProperty exportedLUN = new KdProperty("exportedLUN", 6);
    public static final KdProperty discoveredPortWWN = new KdProperty("discoveredPortWWN", 7);

    public static final KdClass _class = new KdClass("Solaris_TargetMapping", KdNamespace.DEFAULT,
        antecedent, dependent, scsiBus, targetId, scsiLun, osDeviceName, exportedLUN, discoveredPortWWN);
}
