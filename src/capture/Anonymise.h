// The anonymising rule for a description that leaves its site: the host name, serial numbers
// and world-wide names are replaced, each value by the same replacement wherever it appears.
#pragma once
#include "capture/CaptureLog.h"

namespace capture {

// The rule:
// - host name: sysinfo.hostname, uname.nodename and capture.host become "host1" (a second
//   distinct name "host2", ...), also where a text starts with the name and ":" or ".";
// - serial numbers: a SCSI target's "serial" and "vpd_c0_id", an adapter's "SerialNumber"
//   become "SN" and a counter, zero-padded to the original's length (at least "SN1");
// - world-wide names: every NodeWWN, PortWWN and FabricName becomes "2000" and a 12-digit
//   counter (the all-zero name stays), and the name in either case inside any other text
//   (device names such as c4t50060E8004277F11d3s2) is replaced alike.
// The "capture" section records that the rule was applied.
json anonymised(const json& description);

}  // namespace capture
