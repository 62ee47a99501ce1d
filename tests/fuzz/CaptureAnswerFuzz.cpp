// What a LUN answers the capture, and a description handed to the anonymising rule: the
// answer's data of any length becomes fields of a simulated SCSI target that the simulated
// host's schema accepts; a description of any shape is anonymised without reading outside it.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "capture/Anonymise.h"
#include "capture/ScsiCommands.h"
#include "sim/SimHost.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const auto& commands = capture::captureCommands();
    const capture::ScsiCommand& command = commands[data[0] % commands.size()];
    std::vector<unsigned char> answer(data + 1, data + size);
    capture::json scsi = capture::json::object();
    capture::recordAnswer(scsi, command.name, answer);
    capture::json host = {{"disks", {{{"name", "c0t0d0"}, {"node", "/pci@0/sd@0,0"}, {"driver", "sd"},
                                      {"instance", 0}, {"scsi", scsi}}}}};
    try {
        sim::validate(host);
    } catch (const std::runtime_error&) {
        std::abort();  // the capture wrote what its own replay refuses
    }

    capture::json description = capture::json::parse(data + 1, data + size, nullptr, false);
    if (!description.is_discarded()) {
        try {
            capture::anonymised(description);
        } catch (const std::exception&) {
            // A malformed hex field is refused with an exception, which the tool reports.
        }
    }
    return 0;
}
