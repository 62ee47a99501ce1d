// Interrogations on several threads at once, and an interrogation that a failing device
// answer cuts short.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "FailingAllocation.h"
#include "TestSupport.h"
#include "scsi/SolarisScsiInterrogatorC.h"

using testsupport::FailingAllocation;
using testsupport::SimHost;
using testsupport::openDescriptors;
using testsupport::TempDir;

namespace {

// Only allocations of at least this size fail: buffers, not the small ones that destructors
// may make (the simulated host's JSON values allocate while they are destroyed).
constexpr std::size_t FAILING_SIZE = 1024;

// A UTM LUN of the array answering for controller `id`, with drives of its own counters.
std::string lun(const std::string& name, const std::string& node, const std::string& id,
                const std::string& counters) {
    return R"({"name": ")" + name + R"(", "node": ")" + node + R"(", "driver": "ssd", "instance": 1,
      "slices": [2], "scsi": {"vendor": "STK", "product": "Universal Xport", "vpd_c0_id": ")" + id + R"(",
      "translation": [{"channel": 0, "id": 1, "tray": 0, "slot": 1}, {"channel": 1, "id": 2, "tray": 1, "slot": 3}],
      "log_3b": {"drives": [{"channel": 0, "id": 1, "counters": )" + counters + R"(},
                            {"channel": 1, "id": 2, "counters": [7, 7, 7, 7]}]}}})";
}

std::string twoControllers(const std::string& secondCounters) {
    return R"({"disks": [)" + lun("c1t0d31", "/ssm@0/ssd@0,1f", "SX11111111111111", "[1, 2, 3, 4, 5, 6, 7, 8]") +
           ", " + lun("c2t0d31", "/ssm@1/ssd@0,1f", "SX22222222222222", secondCounters) + "]}";
}

std::string interrogate(const char* id1, const char* id2) {
    std::vector<char> result(SCSI_RESULT_LENGTH, 'x');
    scsiInterrogatorC(result.data(), id1, id2);
    return result.data();
}

}  // namespace

TEST(ConcurrentInterrogation, EveryThreadGetsTheSingleThreadedAnswer) {
    SimHost sim(twoControllers("[11, 12, 13, 14]"));
    // Both orders of the controllers, and one controller alone, side by side.
    const std::vector<std::pair<const char*, const char*>> calls = {
        {"SX11111111111111", "SX22222222222222"}, {"SX22222222222222", "SX11111111111111"},
        {"SX22222222222222", nullptr}};
    std::vector<std::string> expected;
    for (auto& call : calls) expected.push_back(interrogate(call.first, call.second));
    ASSERT_EQ(5u + 2 * 6 + 5 + 4 * 80, expected[0].size());
    ASSERT_NE(expected[0], expected[1]);

    std::vector<std::string> wrong(calls.size());
    std::vector<std::thread> threads;
    for (size_t t = 0; t < calls.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 30; ++i) {
                std::string answer = interrogate(calls[t].first, calls[t].second);
                if (answer != expected[t] && wrong[t].empty()) wrong[t] = answer;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    for (size_t t = 0; t < calls.size(); ++t) EXPECT_EQ("", wrong[t]) << "thread " << t;
}

// Allocations of an interrogation made to fail, one per call (the first ones in turn, then
// spaced out): the failure passes through the interrogation as std::bad_alloc with everything
// of the call released (no descriptor left open; the sanitizer build reports leaked memory),
// and the next call answers as before.
TEST(ConcurrentInterrogation, AFailedAllocationAnywhereLeavesNothingBehind) {
    SimHost sim(twoControllers("[11, 12, 13, 14]"));
    const std::string expected = interrogate("SX11111111111111", "SX22222222222222");
    const size_t descriptors = openDescriptors();
    int failed = 0;
    bool completed = false;
    for (long allowed = 0; !completed && allowed < 1000000; allowed += 1 + allowed / 8) {
        std::vector<char> result(SCSI_RESULT_LENGTH, 'x');
        try {
            FailingAllocation failing(allowed, FAILING_SIZE, FailingAllocation::Scope::ThisThread);
            scsiInterrogatorC(result.data(), "SX11111111111111", "SX22222222222222");
            completed = expected == result.data();
        } catch (const std::bad_alloc&) {
            ++failed;
        }
        ASSERT_EQ(descriptors, openDescriptors()) << "after " << allowed << " allocations";
    }
    EXPECT_TRUE(completed);
    EXPECT_GT(failed, 3);
    EXPECT_EQ(expected, interrogate("SX11111111111111", "SX22222222222222"));
}
