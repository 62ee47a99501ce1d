# The answers of the array LUNs of a simulated host's description, for tests/live/ArrayTarget.c:
# for each disk with a "scsi" target, in the order of "disks", a line "lun <name>" and then its
# answer lines "<CDB prefix> <data in hex | ok | fail>". The pages are built here from the
# description's format (INQUIRY, VPD pages 0x00, 0x80 and 0xC0, the enclosure translation page
# 0xA0, log page 0x3B), apart from the simulator's own code.

def byte: ((. / 16 | floor) as $hi | (. % 16) as $lo | "0123456789abcdef" as $d | $d[$hi:$hi + 1] + $d[$lo:$lo + 1]);
# A number as `n` bytes, most significant first.
def be(n): . as $v | [range(n - 1; -1; -1) | (($v / pow(2; 8 * .)) | floor) % 256 | byte] | join("");
# A byte field (text or {"hex": ...}) as exactly `n` bytes, blank-padded.
def field(n): (if type == "object" then .hex
               elif . == null then ""
               else explode | map(byte) | join("") end) as $h
  | ($h + ([range(n)] | map("20") | join("")))[0:2 * n];
def zeros(n): [range(n)] | map("00") | join("");
def param($code; $value): $code + "00" + (($value | length) / 2 | be(1)) + $value;

def inquiry: "00000502" + (91 | be(1)) + "000000" + (.vendor | field(8)) + (.product | field(16))
  + (.revision | field(4)) + zeros(60);
def vpd80: (.serial // "") as $s | "008000" + (($s | length) | be(1)) + ($s | field($s | length));
def vpdc0: "00c0007c" + zeros(108) + (.vpd_c0_id | field(16));
def pageA0: if .page_a0_hex then .page_a0_hex else
  [(.translation // [])[] | if .raw then .raw else (.channel | be(1)) + (.id | be(1)) + (.tray | be(1)) + (.slot | be(1)) end] as $e
  | "a000" + (8 + 4 * ($e | length) | be(2)) + zeros(8) + ($e | join("")) end;
def page3B: if .page_3b_hex then .page_3b_hex else
  (.log_3b // {}) as $log
  | ([($log.controller // [])[] |
        if .text then param(.code; (.text | field(10)))
        elif .counts then param(.code; ([range(32) as $i | (.counts[$i] // 0) | be(4)] | join("")))
        else param(.code; (.value // 0 | be(4))) end]
     + [($log.drives // [])[] | param((192 + .channel | be(1)) + (.id | be(1));
                                      ([range(9) as $i | (.counters[$i] // 0) | be(4)] | join("")))]
     + [($log.params // [])[] | param(.code; .hex)]) | join("") as $p
  | "3b00" + (($p | length) / 2 | be(2)) + $p end;

.disks[]? | select(.scsi | type == "object") | .name as $name | .scsi
| (.fail // []) as $fail
| "lun \($name)",
  ([["inquiry", "120000"], ["vpd_80", "120180"], ["vpd_c0", "1201c0"], ["receive_diagnostic", "1c01a0"],
    ["log_sense", "4d007b"], ["log_select", "4c"]][] | select(.[0] as $c | $fail | index($c)) | "\(.[1]) fail"),
  "120000 \(inquiry)", "120100 000000030080c0", "120180 \(vpd80)", "1201c0 \(vpdc0)",
  "1c01a0 \(pageA0)", "4d007b \(page3B)", "4c ok"
