// The SCSI bus a "/dev/rdsk" entry name gives ("c<bus>t..."), and the buses of those entries
// by the physical device they link to.
#pragma once
#include <string>
#include <unordered_map>

namespace devices {

// The bus of "c<bus>t...": the digits after a leading 'c' when a 't' follows them; `found`
// is set then. Anything else gives 0 and leaves `found` as it was.
unsigned int parseScsiBusNumber(const char* text, bool& found);

// The buses of the "/dev/rdsk" entries by the physical device they link to: the directory is
// read once, at the first question, and the answers serve a whole pass over the mappings.
class RawDeviceBuses {
public:
    // The bus of the first entry, in directory order, named "c<bus>t..." and linking to a minor
    // node of `physicalPath` ("/devices/...", the link target continuing with ':' after it);
    // `found` is set then, else 0 comes back.
    unsigned int of(const char* physicalPath, bool& found);

private:
    bool read_ = false;
    std::unordered_map<std::string, unsigned int> buses_;
};

}  // namespace devices
