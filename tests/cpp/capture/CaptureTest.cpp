// The capture against simulated hosts: only read-only commands reach a LUN, a LUN that hangs
// or answers with sense data ends the capture cleanly with the error recorded, and what the
// capture writes replays as what it read.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "capture/Anonymise.h"
#include "capture/HostCapture.h"
#include "capture/ScsiCommands.h"
#include "sim/SimHost.h"

namespace {

using capture::json;

// Two array LUNs and a plain disk; the second LUN hangs on LOG SENSE and answers VPD 0xC0
// with CHECK CONDITION (illegal request), the plain disk takes no pass-through.
json lunHost(const std::string& journal) {
    json geometry = {{"ncyl", 100}, {"pcyl", 102}, {"acyl", 2}, {"nhead", 4}, {"nsect", 32}};
    json vtoc = {{"asciilabel", "ARRAY cyl 100 alt 2 hd 4 sec 32"},
                 {"parts", {{{"tag", 2}, {"start", 0}, {"size", 12800}}, {{"tag", 5}, {"size", 12800}}}}};
    json scsi = {{"vendor", "LSI     "}, {"product", "Universal Xport "}, {"revision", "0612"},
                 {"serial", "SV12345"}, {"vpd_c0_id", "SX11111111111111"},
                 {"translation", {{{"channel", 0}, {"id", 1}, {"tray", 0}, {"slot", 1}}}},
                 {"log_3b", {{"drives", {{{"channel", 0}, {"id", 1}, {"counters", {1, 2, 3, 4, 5, 6, 7, 8, 9}}}}}}}};
    json slow = scsi;
    slow["vpd_c0_id"] = "SX22222222222222";
    slow["hangs"] = {"log_sense"};
    slow["sense"] = {{"vpd_c0", "700005000000000a0000000024000000"}};
    return {{"journal", journal},
            {"disks", {{{"name", "c4t1d0"}, {"node", "/pci@1f,0/fp@0,0/ssd@w1,0"}, {"driver", "ssd"},
                        {"instance", 3}, {"geometry", geometry}, {"vtoc", vtoc}, {"scsi", scsi}},
                       {{"name", "c4t2d0"}, {"node", "/pci@1f,0/fp@0,0/ssd@w2,0"}, {"driver", "ssd"},
                        {"instance", 4}, {"slices", {2}}, {"scsi", slow}},
                       {{"name", "c0t0d0"}, {"node", "/pci@1f,0/scsi@3/sd@0,0"}, {"driver", "sd"},
                        {"instance", 0}, {"geometry", geometry}, {"dkinfo", nullptr}}}}};
}

std::set<std::string> journaledOpcodes(const std::string& journal) {
    std::set<std::string> opcodes;
    std::istringstream lines(testsupport::readFile(journal));
    std::string kind, node, cdb;
    while (lines >> kind >> node >> cdb) opcodes.insert(cdb.substr(0, 2));
    return opcodes;
}

TEST(Capture, SendsOnlyReadOnlyCommandsAndEndsCleanlyOnHangingAndFailingLuns) {
    testsupport::TempDir dir;
    std::string journal = dir.file("journal");
    testsupport::SimHost host(lunHost(journal).dump());
    capture::CaptureOptions options;
    options.timeoutSeconds = 1;
    capture::CaptureLog log;
    json captured = json::object();
    auto start = std::chrono::steady_clock::now();
    capture::captureDisks(captured, log, options);
    // One hanging command costs its time-out, not more.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    EXPECT_EQ(journaledOpcodes(journal), (std::set<std::string>{"12", "1c", "4d"}));
    ASSERT_EQ(captured["disks"].size(), 3u);
    const json& array = captured["disks"][0];
    EXPECT_EQ(array["instance"], 3);
    EXPECT_EQ(array["driver"], "ssd");
    EXPECT_EQ(array["scsi"]["vendor"], "LSI     ");
    EXPECT_EQ(array["scsi"]["serial"], "SV12345");
    EXPECT_EQ(array["scsi"]["vpd_c0_id"], "SX11111111111111");
    EXPECT_FALSE(array["scsi"].contains("fail"));
    const json& slow = captured["disks"][1];
    EXPECT_EQ(slow["slices"], json({2}));
    EXPECT_EQ(slow["scsi"]["hangs"], json({"log_sense"}));
    EXPECT_EQ(slow["scsi"]["sense"]["vpd_c0"], "700005000000000a0000000024000000");
    // The disk without a pass-through has no target; its refused ioctls are recorded.
    const json& plain = captured["disks"][2];
    EXPECT_FALSE(plain.contains("scsi"));
    EXPECT_EQ(plain["ioctl_errno"], json({{"dkinfo", 25}, {"vtoc", 22}}));
    EXPECT_GE(log.size(), 4u);  // the hang, the sense, the two ioctls

    // Replayed, the capture reads the same answers, the generated pages included.
    captured["journal"] = dir.file("replay-journal");
    testsupport::SimHost replay(captured.dump());
    capture::CaptureLog again;
    json second = json::object();
    capture::captureDisks(second, again, options);
    EXPECT_EQ(second["disks"], captured["disks"]);
    EXPECT_EQ(again.size(), log.size());
}

TEST(Capture, GuardRefusesEveryCommandButTheReadOnlyOnes) {
    for (const capture::ScsiCommand& command : capture::captureCommands()) {
        EXPECT_TRUE(capture::readOnlyCommand(command.cdb, command.cdbLength)) << command.name;
    }
    const std::vector<std::vector<unsigned char>> refused = {
        {0x4C, 0x02, 0x40, 0, 0, 0, 0, 0, 0x0C, 0},  // LOG SELECT (counters reset)
        {0x4D, 0x01, 0x7B, 0, 0, 0, 0, 0xFF, 0xFF, 0},  // LOG SENSE saving parameters
        {0x4D, 0x00, 0x7E, 0, 0, 0, 0, 0xFF, 0xFF, 0},  // another log page
        {0x2A, 0, 0, 0, 0, 0, 0, 0, 1, 0},            // WRITE (10)
        {0x0A, 0, 0, 0, 1, 0},                        // WRITE (6)
        {0x15, 0x10, 0, 0, 12, 0},                    // MODE SELECT
        {0x1D, 0x04, 0, 0, 0, 0},                     // SEND DIAGNOSTIC
        {0x12, 0x01, 0x83, 0, 0xFF, 0},               // a VPD page not captured
        {0x12, 0x00, 0x00, 0, 0xFF},                  // INQUIRY of the wrong length
        {0x1C, 0x01, 0x80, 0xFF, 0xFF, 0},            // another diagnostic page
        {0x00, 0, 0, 0, 0, 0},                        // TEST UNIT READY
    };
    for (const auto& cdb : refused) EXPECT_FALSE(capture::readOnlyCommand(cdb.data(), cdb.size())) << int(cdb[0]);
    EXPECT_FALSE(capture::readOnlyCommand(nullptr, 6));

    // A refused command never reaches the device.
    testsupport::TempDir dir;
    testsupport::SimHost host(lunHost(dir.file("journal")).dump());
    capture::ScsiCommand select = {"log_select", {0x4C, 0x02, 0x40, 0, 0, 0, 0, 0, 0x0C, 0}, 10, 12};
    capture::ScsiAnswer answer = capture::sendReadOnly(0, select, 1);
    EXPECT_FALSE(answer.sent);
    EXPECT_EQ(answer.result, -1);
    EXPECT_EQ(testsupport::readFile(dir.file("journal")), "");
}

TEST(Capture, WritesNoHashAndItsDescriptionLoads) {
    EXPECT_EQ(capture::redactedPassword("$6$salt$hash"), "*");
    EXPECT_EQ(capture::redactedPassword("abJnggxhB/yWI"), "*");
    EXPECT_EQ(capture::redactedPassword(""), "");
    EXPECT_TRUE(capture::redactedPassword(nullptr).is_null());

    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("passwd"), "alice:x:100:100::/home/alice:/bin/sh\n#comment\nnopw:x:1:1::/:/bin/sh\n");
    json bundled = {{"shadow", {{"entries", {{{"name", "alice"}, {"passwd", "abJnggxhB/yWI"}},
                                             {{"name", "nopw"}, {"passwd", ""}},
                                             {{"name", "bob"}, {"passwd", "$1$x$y"}}}}}},
                    {"sysinfo", {{"hostname", "alpha"}, {"sysname", "SunOS"}}}};
    testsupport::SimHost host(bundled.dump());
    capture::CaptureOptions options;
    options.passwdFile = dir.file("passwd");
    options.users = {"bob", "alice", "nosuch"};
    options.timeoutSeconds = 1;
    capture::CaptureLog log;
    json captured = capture::captureHost(options, log);
    EXPECT_EQ(captured["shadow"]["entries"],
              json({{{"name", "alice"}, {"passwd", "*"}}, {{"name", "nopw"}, {"passwd", ""}},
                    {{"name", "bob"}, {"passwd", "*"}}}));
    EXPECT_EQ(captured["sysinfo"]["hostname"], "alpha");
    EXPECT_EQ(captured["capture"]["tool"], "hostprobe-capture");
    EXPECT_NO_THROW(sim::validate(captured));
    EXPECT_NO_THROW(sim::validate(capture::anonymised(captured)));
}

TEST(Capture, AnonymisesHostNamesSerialsAndWorldWideNamesConsistently) {
    json described = {
        {"sysinfo", {{"hostname", "db7"}}}, {"uname", {{"nodename", "db7"}}},
        {"mnttab", {{"entries", {{{"special", "db7:/export"}, {"mountp", "/home"}}}}}},
        {"disks", {{{"name", "c4t50060E8004277F11d3"}, {"scsi", {{"serial", "SV98765"}, {"vpd_c0_id", "SX1"}}}}}},
        {"hba", {{"adapters", {{{"attributes", {{"SerialNumber", "SV98765"}, {"NodeWWN", "200000e08b010203"}}},
                                {"ports", {{{"attributes", {{"PortWWN", "50060e8004277f11"},
                                                            {"FabricName", "0000000000000000"}}}}}},
                                {"mapping", {{"entries", {{{"PortWWN", "50060E8004277F11"},
                                                           {"OSDeviceName", "/dev/rdsk/c4t50060E8004277F11d3s2"}}}}}}}}}}}};
    json out = capture::anonymised(described);
    EXPECT_EQ(out["sysinfo"]["hostname"], "host1");
    EXPECT_EQ(out["uname"]["nodename"], "host1");
    EXPECT_EQ(out["mnttab"]["entries"][0]["special"], "host1:/export");
    EXPECT_EQ(out["disks"][0]["scsi"]["serial"], "SN00001");
    EXPECT_EQ(out["hba"]["adapters"][0]["attributes"]["SerialNumber"], "SN00001");
    EXPECT_EQ(out["disks"][0]["scsi"]["vpd_c0_id"], "SN2");
    const json& adapter = out["hba"]["adapters"][0];
    EXPECT_EQ(adapter["attributes"]["NodeWWN"], "2000000000000001");
    EXPECT_EQ(adapter["ports"][0]["attributes"]["PortWWN"], "2000000000000002");
    EXPECT_EQ(adapter["ports"][0]["attributes"]["FabricName"], "0000000000000000");
    EXPECT_EQ(adapter["mapping"]["entries"][0]["PortWWN"], "2000000000000002");
    EXPECT_EQ(adapter["mapping"]["entries"][0]["OSDeviceName"], "/dev/rdsk/c4t2000000000000002d3s2");
    EXPECT_EQ(out["disks"][0]["name"], "c4t2000000000000002d3");
    EXPECT_EQ(out.dump().find("db7"), std::string::npos);
}

}  // namespace
