package com.vantor.kelda.providers.hba;

import com.vantor.kelda.KdClass;
import com.vantor.kelda.KdNamespace;
import com.vantor.kelda.KdProperty;
import javax.wbem.cim.UnsignedInt16;

/** Fibre Channel ports of the host's adapters. */
public class HbaPortProvider {
    public static final KdProperty nodeWWN = new KdProperty("nodeWWN", 0);
    public static final KdProperty permanentAddress = new KdProperty("permanentAddress", 1);
    public static final KdProperty portFcId = new KdProperty("portFcId", 2);
    public static final KdProperty portType = new KdProperty("portType", 3);
    public static final KdProperty portState = new KdProperty("portState", 4);
    public static final KdProperty supportedCOS = new KdProperty("supportedCOS", 5);
    public static final KdProperty name = new KdProperty("name", 6);
    public static final KdProperty osDeviceName = new KdProperty("osDeviceName", 7);
    public static final KdProperty maxSpeed = new KdProperty("maxSpeed", 8);
    public static final KdProperty speed = new KdProperty("speed", 9);
    public static final KdProperty supportedMaximumTransmissionUnit = new KdProperty("supportedMaximumTransmissionUnit", 10);
    public static final KdProperty fabricName = new KdProperty("fabricName", 11);
    public static final KdProperty deviceID = new KdProperty("deviceID", 12);
    public static final KdProperty systemName = new KdProperty("systemName", 13);
    public static final KdProperty systemCreationClassName = new KdProperty("systemCreationClassName", 14);
    public static final KdProperty operationalStatus = new KdProperty("operationalStatus", 15);
    public static final KdProperty creationClassName = new KdProperty("creationClassName", 16);
    public static final KdProperty caption = new KdProperty("caption", 17);
    public static final KdProperty description = new KdProperty("description", 18);
    public static final KdProperty elementName = new KdProperty("elementName", 19);
    public static final KdProperty portNumber = new KdProperty("portNumber", 20);

    /** Every property, in order; the discovered-port class shares them. */
    static final KdProperty[] PROPERTIES = {
        nodeWWN, permanentAddress, portFcId, portType, portState, supportedCOS, name, osDeviceName,
        maxSpeed, speed, supportedMaximumTransmissionUnit, fabricName, deviceID, systemName,
        systemCreationClassName, operationalStatus, creationClassName, caption, description,
        elementName, portNumber,
    };

    public static final KdClass _class = new KdClass("Solaris_HbaPort", KdNamespace.DEFAULT, PROPERTIES);

    // Port type (the CIM FCPort numbering).
    public static final UnsignedInt16 PORT_TYPE_UNKNOWN = new UnsignedInt16(0);
    public static final UnsignedInt16 PORT_TYPE_OTHER = new UnsignedInt16(1);
    public static final UnsignedInt16 PORT_TYPE_N = new UnsignedInt16(10);
    public static final UnsignedInt16 PORT_TYPE_NL = new UnsignedInt16(11);
    public static final UnsignedInt16 PORT_TYPE_E = new UnsignedInt16(14);
    public static final UnsignedInt16 PORT_TYPE_F = new UnsignedInt16(15);
    public static final UnsignedInt16 PORT_TYPE_FL = new UnsignedInt16(16);

    // Port state.
    public static final UnsignedInt16 PORT_STATE_UNKNOWN = new UnsignedInt16(0);
    public static final UnsignedInt16 PORT_STATE_ONLINE = new UnsignedInt16(1);
    public static final UnsignedInt16 PORT_STATE_OFFLINE = new UnsignedInt16(2);
    public static final UnsignedInt16 PORT_STATE_BYPASSED = new UnsignedInt16(3);
    public static final UnsignedInt16 PORT_STATE_DIAGNOSTICS = new UnsignedInt16(4);
    public static final UnsignedInt16 PORT_STATE_LINK_DOWN = new UnsignedInt16(5);
    public static final UnsignedInt16 PORT_STATE_ERROR = new UnsignedInt16(6);
    public static final UnsignedInt16 PORT_STATE_LOOPBACK = new UnsignedInt16(7);

    // Supported classes of service (the CIM FCPort numbering).
    public static final UnsignedInt16 SUPPORTED_COS_UNKNOWN = new UnsignedInt16(0);
    public static final UnsignedInt16 SUPPORTED_COS_1 = new UnsignedInt16(1);
    public static final UnsignedInt16 SUPPORTED_COS_2 = new UnsignedInt16(2);
    public static final UnsignedInt16 SUPPORTED_COS_3 = new UnsignedInt16(3);
    public static final UnsignedInt16 SUPPORTED_COS_4 = new UnsignedInt16(4);
    public static final UnsignedInt16 SUPPORTED_COS_6 = new UnsignedInt16(5);
    public static final UnsignedInt16 SUPPORTED_COS_F = new UnsignedInt16(6);

    // Operational status (the CIM ManagedSystemElement numbering).
    public static final UnsignedInt16 OPERATIONAL_STATUS_UNKNOWN = new UnsignedInt16(0);
    public static final UnsignedInt16 OPERATIONAL_STATUS_OK = new UnsignedInt16(2);
    public static final UnsignedInt16 OPERATIONAL_STATUS_ERROR = new UnsignedInt16(6);
    public static final UnsignedInt16 OPERATIONAL_STATUS_IN_SERVICE = new UnsignedInt16(11);
}
