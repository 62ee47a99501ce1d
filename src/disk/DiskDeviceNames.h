// The names and texts the disk providers derive from "/dev/rdsk" entries, their links and
// disk labels.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace disk {

// Working limits: entry names (with their terminator) and device paths or link targets.
constexpr size_t kMaxEntryName = 100;
constexpr size_t kMaxDevicePath = 1024;

// True for a whole-disk entry: longer than 2 characters and ending in "s2".
bool isWholeDiskEntry(const std::string& name);

// The device id of a whole-disk entry: the name without its last two characters.
std::string diskDeviceId(const std::string& entryName);

// The device id of a slice entry: the text before the first "s" (c0t0d0s3 gives c0t0d0);
// for a name without "s" that begins with "emcpower", the name without its last character
// (emcpower0a gives emcpower0); otherwise the whole name.
std::string partitionDeviceId(const std::string& entryName);

// The model of a volume label of `size` characters: the text before the first blank; the
// whole label when a terminator comes first; a single blank when the field holds neither.
std::string labelModel(const char* label, size_t size);

// The physical device path of a link target: from the "/" that ends "/devices" to the last
// ":" (or the end), e.g. /pci@1f,4000/scsi@3/sd@0,0 from
// ../../devices/pci@1f,4000/scsi@3/sd@0,0:c,raw. None when the target has no "/devices/".
std::optional<std::string> physicalPath(const std::string& linkTarget);

// A name Java may hand over as a device id or entry name: within the working limit once
// `suffix` characters are added, and a plain name (no "/"), so it stays inside "/dev/rdsk".
bool acceptableName(const std::string& name, size_t suffix);

}  // namespace disk
