package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;

/** Fibre Channel host bus adapters. */
public class HostBusAdapterProvider {
    public static final KdProperty deviceID = new KdProperty("deviceID", 0);
    public static final KdProperty creationClassName = new KdProperty("creationClassName", 1);
    public static final KdProperty systemName = new KdProperty("systemName", 2);
    public static final KdProperty systemCreationClassName = new KdProperty("systemCreationClassName", 3);
    public static final KdProperty manufacturer = new KdProperty("manufacturer", 4);
    public static final KdProperty serialNumber = new KdProperty("serialNumber", 5);
    public static final KdProperty model = new KdProperty("model", 6);
    public static final KdProperty modelDescription = new KdProperty("modelDescription", 7);
    public static final KdProperty name = new KdProperty("name", 8);
    public static final KdProperty nodeSymbolicName = new KdProperty("nodeSymbolicName", 9);
    public static final KdProperty hardwareVersion = new KdProperty("hardwareVersion", 10);
    public static final KdProperty driverVersion = new KdProperty("driverVersion", 11);
    public static final KdProperty optionRomVersion = new KdProperty("optionRomVersion", 12);
    public static final KdProperty firmwareVersion = new KdProperty("firmwareVersion", 13);
    public static final KdProperty vendorSpecificID = new KdProperty("vendorSpecificID", 14);
    public static final KdProperty driverName = new KdProperty("driverName", 15);
    public static final KdProperty caption = new KdProperty("caption", 16);
    public static final KdProperty description = new KdProperty("description", 17);
    public static final KdProperty elementName = new KdProperty("elementName", 18);

    public static final KdClass _class = new KdClass("Solaris_HostBusAdapter", KdNamespace.DEFAULT,
        deviceID, creationClassName, systemName, systemCreationClassName, manufacturer, serialNumber,
        model, modelDescription, name, nodeSymbolicName, hardwareVersion, driverVersion,
        optionRomVersion, firmwareVersion, vendorSpecificID, driverName, caption, description,
        elementName);
}
