package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;

/** Counters of the host's Fibre Channel ports. */
public class FCPortStatisticsProvider {
    public static final KdProperty elementName = new KdProperty("elementName", 0);
    public static final KdProperty instanceID = new KdProperty("instanceID", 1);
    public static final KdProperty packetsTransmitted = new KdProperty("packetsTransmitted", 2);
    public static final KdProperty packetsReceived = new KdProperty("packetsReceived", 3);
    public static final KdProperty lipCount = new KdProperty("lipCount", 4);
    public static final KdProperty nosCount = new KdProperty("nosCount", 5);
    public static final KdProperty errorFrames = new KdProperty("errorFrames", 6);
    public static final KdProperty dumpedFrames = new KdProperty("dumpedFrames", 7);
    public static final KdProperty linkFailures = new KdProperty("linkFailures", 8);
    public static final KdProperty lossOfSyncCounter = new KdProperty("lossOfSyncCounter", 9);
    public static final KdProperty lossOfSignalCounter = new KdProperty("lossOfSignalCounter", 10);
    public static final KdProperty primitiveSeqProtocolErrCount = new KdProperty("primitiveSeqProtocolErrCount", 11);
    public static final KdProperty invalidTransmissionWords = new KdProperty("invalidTransmissionWords", 12);
    public static final KdProperty crcErrors = new KdProperty("crcErrors", 13);

    public static final KdClass _class = new KdClass("Solaris_FCPortStatistics", KdNamespace.DEFAULT,
        elementName, instanceID, packetsTransmitted, packetsReceived, lipCount, nosCount, errorFrames,
        dumpedFrames, linkFailures, lossOfSyncCounter, lossOfSignalCounter,
        primitiveSeqProtocolErrCount, invalidTransmissionWords, crcErrors);
}
