// The device-id rules of "/dev/dsk" and "/dev/rdsk" entry names, the one parser of the
// "/devices" link targets those entries hold, and the model text of disk labels.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

namespace devices {

// Working limits: entry names (with their terminator) and device paths or link targets.
constexpr size_t kMaxEntryName = 100;
constexpr size_t kMaxDevicePath = 1024;

// True for a whole-disk entry: longer than 2 characters and ending in "s2".
bool isWholeDiskEntry(const std::string& name);

// The device id of a whole-disk entry: the name without its last two characters.
std::string diskDeviceId(const std::string& entryName);

// True for a slice-0 entry, which stands for its disk in the disk map: the name holds "s0".
bool isSliceZeroEntry(const char* name);

// True for an entry the array scan asks: the name holds "s2".
bool mentionsWholeDiskSlice(const char* name);

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

// The link target (read up to its first NUL) from its first "/devices/" on, or null when it
// has none; the text stays in `linkTarget`.
const char* devicesPart(const std::string& linkTarget);

// The driver name of a link target: the lowercase letters, up to the first "@", of its last
// non-empty component (sd from ../../devices/pci@1f,4000/scsi@3/sd@0,0:a, ssd from
// SUNW,ssd@1,0:a), at most 255 of them. None when the target has no "/".
std::optional<std::string> driverName(const std::string& linkTarget);

// A name Java may hand over as a device id or entry name: within the working limit once
// `suffix` characters are added, and a plain name (no "/"), so it stays inside "/dev/rdsk".
bool acceptableName(const std::string& name, size_t suffix);

}  // namespace devices
