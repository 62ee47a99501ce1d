// The two names of each disk: its device id (c0t0d0, from the "/dev/dsk" entries) and its
// driver-instance name (sd0, as the kernel statistics name it), mapped both ways.
#pragma once
#include <map>
#include <string>

#include "sol/dirent.h"

class SolarisDiskMap {
public:
    // Scans "/dev/dsk" once; a scan that finds nothing leaves both maps empty.
    SolarisDiskMap();
    ~SolarisDiskMap();
    SolarisDiskMap(const SolarisDiskMap&) = delete;
    SolarisDiskMap& operator=(const SolarisDiskMap&) = delete;

    // The driver-instance name of a device id, or "" when the map has none.
    std::string getSDxNameFromMap(const std::string& deviceId) const;
    // The device id of a driver-instance name, or "" when the map has none.
    std::string getDeviceIdFromMap(const std::string& sdxName) const;

private:
    void initDiskMap();
    // The driver name from the final component of the link at `path`; false when the link
    // cannot be read or its target has no "/".
    static bool getDriver(char* driver, size_t size, const char* path);
    void mapdisk(unsigned long minorNumber, const sol::dirent* entry, const char* driver);

    std::map<std::string, std::string> sdxNameMap;   // device id -> driver-instance name
    std::map<std::string, std::string> deviceIdMap;  // driver-instance name -> device id
};
