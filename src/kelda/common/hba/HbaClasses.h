// The agent classes the HBA natives touch beyond the shared Kelda ones: the HBA provider
// classes with their properties and constants, and HbaCache with its nested tree classes.
#pragma once
#include <jni.h>

#include "kelda/KeldaClasses.h"

JAVA_HOLDER(HostBusAdapterProvider, "com/vantor/kelda/providers/hba/HostBusAdapterProvider",
    JAVA_PROPERTY(deviceID)
    JAVA_PROPERTY(creationClassName)
    JAVA_PROPERTY(systemName)
    JAVA_PROPERTY(systemCreationClassName)
    JAVA_PROPERTY(manufacturer)
    JAVA_PROPERTY(serialNumber)
    JAVA_PROPERTY(model)
    JAVA_PROPERTY(modelDescription)
    JAVA_PROPERTY(name)
    JAVA_PROPERTY(nodeSymbolicName)
    JAVA_PROPERTY(hardwareVersion)
    JAVA_PROPERTY(driverVersion)
    JAVA_PROPERTY(optionRomVersion)
    JAVA_PROPERTY(firmwareVersion)
    JAVA_PROPERTY(vendorSpecificID)
    JAVA_PROPERTY(driverName)
    JAVA_PROPERTY(caption)
    JAVA_PROPERTY(description)
    JAVA_PROPERTY(elementName))

#define HBA_CONSTANT(member) JAVA_STATIC_FIELD(member, "Ljavax/wbem/cim/UnsignedInt16;")

// Ports and, through the same property objects, discovered ports.
JAVA_HOLDER(HbaPortProvider, "com/vantor/kelda/providers/hba/HbaPortProvider",
    JAVA_PROPERTY(nodeWWN)
    JAVA_PROPERTY(permanentAddress)
    JAVA_PROPERTY(portFcId)
    JAVA_PROPERTY(portType)
    JAVA_PROPERTY(portState)
    JAVA_PROPERTY(supportedCOS)
    JAVA_PROPERTY(name)
    JAVA_PROPERTY(osDeviceName)
    JAVA_PROPERTY(maxSpeed)
    JAVA_PROPERTY(speed)
    JAVA_PROPERTY(supportedMaximumTransmissionUnit)
    JAVA_PROPERTY(fabricName)
    JAVA_PROPERTY(deviceID)
    JAVA_PROPERTY(systemName)
    JAVA_PROPERTY(systemCreationClassName)
    JAVA_PROPERTY(operationalStatus)
    JAVA_PROPERTY(creationClassName)
    JAVA_PROPERTY(caption)
    JAVA_PROPERTY(description)
    JAVA_PROPERTY(elementName)
    JAVA_PROPERTY(portNumber)
    HBA_CONSTANT(PORT_TYPE_OTHER)
    HBA_CONSTANT(PORT_TYPE_N)
    HBA_CONSTANT(PORT_TYPE_NL)
    HBA_CONSTANT(PORT_TYPE_FL)
    HBA_CONSTANT(PORT_TYPE_F)
    HBA_CONSTANT(PORT_TYPE_E)
    HBA_CONSTANT(PORT_TYPE_UNKNOWN)
    HBA_CONSTANT(PORT_STATE_UNKNOWN)
    HBA_CONSTANT(PORT_STATE_ONLINE)
    HBA_CONSTANT(PORT_STATE_OFFLINE)
    HBA_CONSTANT(PORT_STATE_BYPASSED)
    HBA_CONSTANT(PORT_STATE_DIAGNOSTICS)
    HBA_CONSTANT(PORT_STATE_LINK_DOWN)
    HBA_CONSTANT(PORT_STATE_ERROR)
    HBA_CONSTANT(PORT_STATE_LOOPBACK)
    HBA_CONSTANT(SUPPORTED_COS_F)
    HBA_CONSTANT(SUPPORTED_COS_1)
    HBA_CONSTANT(SUPPORTED_COS_2)
    HBA_CONSTANT(SUPPORTED_COS_3)
    HBA_CONSTANT(SUPPORTED_COS_4)
    HBA_CONSTANT(SUPPORTED_COS_6)
    HBA_CONSTANT(SUPPORTED_COS_UNKNOWN)
    HBA_CONSTANT(OPERATIONAL_STATUS_OK)
    HBA_CONSTANT(OPERATIONAL_STATUS_IN_SERVICE)
    HBA_CONSTANT(OPERATIONAL_STATUS_ERROR)
    HBA_CONSTANT(OPERATIONAL_STATUS_UNKNOWN))

#undef HBA_CONSTANT

// Looked up with the others; discovered ports are filled through the HbaPortProvider properties.
JAVA_HOLDER(HbaDiscoveredPortProvider, "com/vantor/kelda/providers/hba/HbaDiscoveredPortProvider", )

JAVA_HOLDER(FCPortStatisticsProvider, "com/vantor/kelda/providers/hba/FCPortStatisticsProvider",
    JAVA_PROPERTY(elementName)
    JAVA_PROPERTY(instanceID)
    JAVA_PROPERTY(packetsTransmitted)
    JAVA_PROPERTY(packetsReceived)
    JAVA_PROPERTY(lipCount)
    JAVA_PROPERTY(nosCount)
    JAVA_PROPERTY(errorFrames)
    JAVA_PROPERTY(dumpedFrames)
    JAVA_PROPERTY(linkFailures)
    JAVA_PROPERTY(lossOfSyncCounter)
    JAVA_PROPERTY(lossOfSignalCounter)
    JAVA_PROPERTY(primitiveSeqProtocolErrCount)
    JAVA_PROPERTY(invalidTransmissionWords)
    JAVA_PROPERTY(crcErrors))

JAVA_HOLDER(TargetMappingProvider, "com/vantor/kelda/providers/hba/TargetMappingProvider",
    JAVA_PROPERTY(antecedent)
    JAVA_PROPERTY(dependent)
    JAVA_PROPERTY(scsiBus)
    JAVA_PROPERTY(targetId)
    JAVA_PROPERTY(scsiLun)
    JAVA_PROPERTY(osDeviceName)
    JAVA_PROPERTY(exportedLUN)
    JAVA_PROPERTY(discoveredPortWWN))

// The nodes of the returned tree (HbaCache$Hba, $HbaPort, $HbaDiscoveredPort).
JAVA_HOLDER(HbaCacheHba, "com/vantor/kelda/providers/hba/HbaCache$Hba",
    JAVA_CONSTRUCTOR("(Lcom/vantor/kelda/KdInstance;[Lcom/vantor/kelda/providers/hba/HbaCache$HbaPort;)V"))
JAVA_HOLDER(HbaCacheHbaPort, "com/vantor/kelda/providers/hba/HbaCache$HbaPort",
    JAVA_CONSTRUCTOR("(Lcom/vantor/kelda/KdInstance;Lcom/vantor/kelda/KdInstance;"
                     "[Lcom/vantor/kelda/providers/hba/HbaCache$HbaDiscoveredPort;)V"))
JAVA_HOLDER(HbaCacheHbaDiscoveredPort, "com/vantor/kelda/providers/hba/HbaCache$HbaDiscoveredPort",
    JAVA_CONSTRUCTOR("(Lcom/vantor/kelda/KdInstance;[Lcom/vantor/kelda/KdInstance;)V"))

// The Java object the HBA natives are called on, with the switches of the device names.
class HbaCache : public jni::JavaObject {
public:
    JAVA_CLASS("com/vantor/kelda/providers/hba/HbaCache",
        JAVA_METHOD(forceLeadvilleHeuristicForTargetMappings, "()Z")
        JAVA_METHOD(usingLeadvilleHeuristicForTargetMappings, "()Z"))
    JAVA_WRAPPER(HbaCache)

    unsigned char forceLeadvilleHeuristicForTargetMappings() {
        return callBoolean(holder().meth_forceLeadvilleHeuristicForTargetMappings()) ? 1 : 0;
    }
    unsigned char usingLeadvilleHeuristicForTargetMappings() {
        return callBoolean(holder().meth_usingLeadvilleHeuristicForTargetMappings()) ? 1 : 0;
    }
};
