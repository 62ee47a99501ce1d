package com.vantor.kelda.providers.solaris;

import java.util.Vector;

import com.vantor.kelda.providers.solaris.processor.SolarisCpuUtilizationInformationProvider;
import com.vantor.kelda.providers.solaris.processor.SolarisProcessorProvider;

/** The host-inventory natives of libhostprobe. */
public class SolarisNativeMethod {
    static {
        System.loadLibrary("hostprobe");
    }

    public native SolarisComputerSystemProvider.SolarisComputerSystem getComputerSystem();

    public native SolarisOperatingSystemProvider.SolarisOperatingSystem getOperatingSystem();

    /** Vector of SolarisLogicalDiskProvider.SolarisLogicalDisk, capacities zero. */
    public native Vector<Object> enumerateLogicalDiskNames();

    public native SolarisLogicalDiskProvider.SolarisLogicalDisk getLogicalDiskByName(String name);

    /** Vector of SolarisProcessorProvider.SolarisProcessorData. */
    public native Vector<Object> enumerateProcessors();

    public native SolarisProcessorProvider.SolarisProcessorData getProcessor(int id);

    /** Vector of SolarisCpuUtilizationInformationProvider.SolarisCpuUtilizationData. */
    public native Vector<Object> enumerateCpuUtilizationInfo();

    public native SolarisCpuUtilizationInformationProvider.SolarisCpuUtilizationData getCpuUtilizationInfo(int id);

    /** Vector of SolarisDiskIOInformationProvider.SolarisDiskIOInformation. */
    public native Vector<Object> enumerateDiskIOInformation();

    public native SolarisDiskIOInformationProvider.SolarisDiskIOInformation getDiskIOInformation(String deviceId);
}
