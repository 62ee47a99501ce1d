// The two names of each disk: its device id (c0t0d0, from the "/dev/dsk" entries) and its
// driver-instance name (sd0, as the kernel statistics name it), mapped both ways.
#pragma once
#include <map>
#include <string>

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
    void mapdisk(unsigned long minorNumber, const std::string& entryName, const std::string& driver);

    std::map<std::string, std::string> sdxNameMap;   // device id -> driver-instance name
    std::map<std::string, std::string> deviceIdMap;  // driver-instance name -> device id
};
