// processor_info hands its backend room beyond the four committed members and passes on only
// those four.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "CallRoom.h"
#include "TestSupport.h"
#include "sol/processor.h"

namespace {

// A caller's processor_info_t with guard bytes right behind it.
struct Guarded {
    sol::processor_info_t info;
    unsigned char guard[32];
};

}  // namespace

TEST(ProcessorInfoRoom, LongerAnswerStaysInTheRoomAndFailureLeavesTheCallerAlone) {
    Guarded caller;
    std::memset(&caller, 0xA5, sizeof caller);
    // A kernel of the line with two more members writes 72 bytes.
    int rc = sol::callWithRoom<128>(&caller.info, [](sol::processor_info_t* room) {
        std::memset(room, 0x11, 72);
        room->pi_state = 2;
        std::strcpy(room->pi_processor_type, "sparcv9");
        room->pi_clock = 1281;
        return 0;
    });
    ASSERT_EQ(0, rc);
    EXPECT_EQ(2, caller.info.pi_state);
    EXPECT_STREQ("sparcv9", caller.info.pi_processor_type);
    EXPECT_EQ(1281, caller.info.pi_clock);
    for (unsigned char b : caller.guard) ASSERT_EQ(0xA5, b);

    std::memset(&caller, 0xA5, sizeof caller);
    rc = sol::callWithRoom<128>(&caller.info, [](sol::processor_info_t* room) {
        std::memset(room, 0x11, 72);
        errno = EINVAL;
        return -1;
    });
    EXPECT_EQ(-1, rc);
    EXPECT_EQ(EINVAL, errno);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&caller);
    for (size_t i = 0; i < sizeof caller; ++i) ASSERT_EQ(0xA5, bytes[i]) << "byte " << i;
}

TEST(ProcessorInfoRoom, SimulatedProcessorsStillReadThroughTheRoom) {
    testsupport::SimHost host(R"({"processors": [{"id": 3, "type": "sparcv9",
                                                 "state": "spare", "clock": 1593}]})");
    sol::processor_info_t info;
    ASSERT_EQ(0, sol::processor_info(3, &info));
    EXPECT_EQ(SOL(P_SPARE), info.pi_state);
    EXPECT_STREQ("sparcv9", info.pi_processor_type);
    EXPECT_EQ(1593, info.pi_clock);
    EXPECT_EQ(-1, sol::processor_info(4, &info));
    EXPECT_EQ(-1, sol::processor_info(3, nullptr));
    EXPECT_EQ(EFAULT, errno);
}
