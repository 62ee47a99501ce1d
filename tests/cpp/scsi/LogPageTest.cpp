// Decoding of the statistics log page and the enclosure translation page, and the report string.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "scsi/SolarisScsiInterrogatorC.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A log page 0x3B built parameter by parameter.
struct Page {
    Bytes bytes{0x3B, 0x00, 0x00, 0x00};
    Page& param(unsigned char hi, unsigned char lo, const Bytes& value) {
        bytes.insert(bytes.end(), {hi, lo, 0x00, static_cast<unsigned char>(value.size())});
        bytes.insert(bytes.end(), value.begin(), value.end());
        return *this;
    }
    Page& value(unsigned char hi, unsigned char lo, uint32_t v) { return param(hi, lo, be32({v})); }
    Page& drive(unsigned channel, unsigned id, const std::vector<uint32_t>& counters) {
        std::vector<uint32_t> nine(counters);
        nine.resize(9, 0);
        return param(static_cast<unsigned char>(0xC0 | channel), static_cast<unsigned char>(id), be32(nine));
    }
    Bytes done() {
        bytes[2] = static_cast<unsigned char>((bytes.size() - 4) >> 8);
        bytes[3] = static_cast<unsigned char>(bytes.size() - 4);
        return bytes;
    }
    static Bytes be32(const std::vector<uint32_t>& values) {
        Bytes out;
        for (uint32_t v : values) {
            out.insert(out.end(), {static_cast<unsigned char>(v >> 24), static_cast<unsigned char>(v >> 16),
                                   static_cast<unsigned char>(v >> 8), static_cast<unsigned char>(v)});
        }
        return out;
    }
};

struct Decoded {
    unsigned count = 12345;
    std::string common, rows;
    int reset = 0;
};

// The tables of one interrogation, value-initialised (zeroed) on the heap.
std::unique_ptr<ArrayTables> newTables() { return std::unique_ptr<ArrayTables>(new ArrayTables()); }

class LogPage : public ::testing::Test {
protected:
    std::unique_ptr<ArrayTables> tables = newTables();
    ArrayTables* t = tables.get();
    void SetUp() override { std::memset(t->driveChIdtoTraySlot, 0xFF, sizeof t->driveChIdtoTraySlot); }
    void place(unsigned channel, unsigned id, unsigned tray, unsigned slot) {
        t->driveChIdtoTraySlot[channel][id][0] = static_cast<unsigned char>(tray);
        t->driveChIdtoTraySlot[channel][id][1] = static_cast<unsigned char>(slot);
    }
    // Decodes `page` from a heap buffer of exactly its size, so reading past it is caught.
    Decoded decode(const Bytes& page) {
        std::vector<char> common(SCSI_COMMON_LENGTH, 0), rows(SCSI_ROWS_LENGTH, 0);
        std::strcpy(rows.data(), "untouched");
        Decoded d;
        auto* held = new unsigned char[page.size() ? page.size() : 1];
        if (!page.empty()) std::memcpy(held, page.data(), page.size());
        processLogSense3Bbuffer(t, held, static_cast<unsigned>(page.size()), &d.count, common.data(), rows.data(),
                                &d.reset);
        delete[] held;
        d.common = common.data();
        d.rows = rows.data();
        return d;
    }
};

std::string row(std::vector<unsigned> eight) {
    char text[81];
    std::snprintf(text, sizeof text, "%10u%10u%10u%10u%10u%10u%10u%10u", eight[0], eight[1], eight[2], eight[3],
                  eight[4], eight[5], eight[6], eight[7]);
    return text;
}

const std::string kZeroRow = row({0, 0, 0, 0, 0, 0, 0, 0});

}  // namespace

TEST(ParaCode, EveryRowHasItsOwnCodeAndOnly0030IsRowZero) {
    const unsigned char zero[2] = {0x00, 0x00}, cumulative[2] = {0x00, 0x30}, last[2] = {0x84, 0x21},
                        initiator[2] = {0x81, 0x60}, drive[2] = {0xC0, 0x01}, undocumented[2] = {0xD0, 0x01};
    EXPECT_EQ(-1, enumerateParaCode(zero));
    EXPECT_EQ(0, enumerateParaCode(cumulative));
    EXPECT_EQ(7, enumerateParaCode(initiator));
    EXPECT_EQ(52, enumerateParaCode(last));
    EXPECT_EQ(-1, enumerateParaCode(drive));
    EXPECT_EQ(-1, enumerateParaCode(undocumented));
    EXPECT_STREQ("TotalInterruptsServicedOnTheFly", paraCode[52]);
    EXPECT_STREQ("TotalDataRepairReconstructsSuccesses", paraCode[33]);
}

TEST_F(LogPage, ControllerCountersWithoutDrivesGiveAnEmptyList) {
    t->paraValue[0] = 0;
    Bytes page = Page()
                     .value(0x00, 0x00, 7)  // not a statistic: row 0 stays as it is
                     .value(0x00, 0x30, 1000)
                     .param(0x81, 0x00, Bytes(10, 'A'))
                     .param(0x81, 0x60, Bytes(128, 0x01))
                     .param(0x82, 0x00, Bytes(10, 'B'))
                     .value(0x82, 0x01, 55)
                     .value(0x84, 0x21, 99)
                     .done();
    t->paraValue[1] = t->paraValue[7] = t->paraValue[8] = 4242;
    Decoded d = decode(page);
    EXPECT_EQ(0u, d.count);
    EXPECT_EQ("    0", d.common);
    EXPECT_EQ("untouched", d.rows);
    EXPECT_EQ(0, d.reset);
    EXPECT_EQ(1000u, t->paraValue[0]);
    EXPECT_EQ(55u, t->paraValue[9]);  // decoded after the 128-byte initiator counts and both texts
    EXPECT_EQ(99u, t->paraValue[52]);
    EXPECT_EQ(4242u, t->paraValue[1]);  // texts and initiator counts are not values
    EXPECT_EQ(4242u, t->paraValue[7]);
    EXPECT_EQ(4242u, t->paraValue[8]);
}

TEST_F(LogPage, DrivesAreListedChannelMajorWithTraySlotAndEightCounters) {
    place(1, 0, 1, 4);
    place(0, 5, 0, 2);
    place(0, 2, 0, 1);
    // Channel 0 ID 9 has no tray/slot, channel 2 ID 1 only a slot: neither is listed.
    t->driveChIdtoTraySlot[2][1][1] = 3;
    Bytes page = Page()
                     .drive(1, 0, {1, 2, 3, 4, 5, 6, 7, 8, 9})
                     .drive(0, 5, {10, 20, 30, 40, 0, 0, 0, 1, 77})
                     .drive(0, 9, {9, 9, 9, 9})
                     .drive(2, 1, {9, 9, 9, 9})
                     .drive(0, 2, {100, 200, 300, 400, 1, 2, 3, 4, 5})
                     .done();
    Decoded d = decode(page);
    EXPECT_EQ(3u, d.count);
    EXPECT_EQ("    3  0  1  0  2  1  4   80", d.common);
    EXPECT_EQ(row({100, 200, 300, 400, 1, 2, 3, 4}) + row({10, 20, 30, 40, 0, 0, 0, 1}) + row({1, 2, 3, 4, 5, 6, 7, 8}),
              d.rows);
    EXPECT_EQ(0, d.reset);
}

TEST_F(LogPage, ZeroBlocksWithIOsRequestAReset) {
    place(0, 1, 0, 1);
    place(0, 2, 0, 2);
    Decoded reset = decode(Page().drive(0, 1, {1, 1, 0, 0}).drive(0, 2, {0, 0, 0, 5}).done());
    EXPECT_EQ(1, reset.reset);
    EXPECT_EQ(2u, reset.count);

    std::memset(t->driveStatistics, 0, sizeof t->driveStatistics);
    Decoded fine = decode(Page().drive(0, 1, {1, 1, 0, 5}).drive(0, 2, {0, 0, 8, 0}).done());
    EXPECT_EQ(0, fine.reset);

    std::memset(t->driveStatistics, 0, sizeof t->driveStatistics);
    Decoded idle = decode(Page().drive(0, 1, {}).done());
    EXPECT_EQ(0, idle.reset);
}

TEST_F(LogPage, DrivesOfAnEarlierPageCarryOverUntilCleared) {
    place(0, 1, 0, 1);
    place(0, 2, 0, 2);
    decode(Page().drive(0, 1, {5, 5, 5, 5}).done());
    Decoded second = decode(Page().drive(0, 2, {6, 6, 6, 6}).done());
    EXPECT_EQ(2u, second.count);
    EXPECT_EQ(row({5, 5, 5, 5, 0, 0, 0, 0}) + row({6, 6, 6, 6, 0, 0, 0, 0}), second.rows);
}

TEST_F(LogPage, CountersAreTheThirtySixBytesAfterTheHeaderWhateverTheLength) {
    place(0, 1, 0, 1);
    place(0, 2, 0, 2);
    // A drive parameter claiming 4 bytes: its counters run on into the next parameter, which
    // is still decoded at its own offset.
    Bytes page = Page().param(0xC0, 0x01, Page::be32({11})).drive(0, 2, {21, 22, 23, 24}).done();
    Decoded d = decode(page);
    EXPECT_EQ(2u, d.count);
    EXPECT_EQ(row({11, 0xC0020024u, 21, 22, 23, 24, 0, 0}), d.rows.substr(0, 80));
    EXPECT_EQ(row({21, 22, 23, 24, 0, 0, 0, 0}), d.rows.substr(80));
}

TEST_F(LogPage, MalformedLengthsNeverReadPastTheHeldBytes) {
    place(0, 1, 0, 1);
    // The page claims 65535 bytes; the buffer holds a drive header and half its counters.
    Bytes truncated = Page().drive(0, 1, {1, 2, 3, 4, 5}).done();
    truncated.resize(4 + 4 + 18);
    truncated[2] = truncated[3] = 0xFF;
    Decoded d = decode(truncated);
    EXPECT_EQ(1u, d.count);
    EXPECT_EQ(row({1, 2, 3, 4, 0, 0, 0, 0}), d.rows);  // counter 5 is cut after two zero bytes

    // Initiator counts and texts cut short, a header cut short, and an empty buffer.
    Bytes shortCounts = Page().param(0x81, 0x60, Bytes(128, 0x02)).done();
    shortCounts.resize(40);
    decode(shortCounts);
    Bytes shortText = Page().param(0x81, 0x00, Bytes(10, 'x')).done();
    shortText.resize(10);
    decode(shortText);
    decode(Bytes{0x3B, 0x00, 0xFF});
    std::memset(t->driveStatistics, 0, sizeof t->driveStatistics);
    EXPECT_EQ("    0", decode(Bytes{}).common);

    // A parameter length past the page end ends the walk.
    Bytes past = Page().value(0x82, 0x01, 1).drive(0, 1, {9}).done();
    past[7] = 0xF0;
    std::memset(t->driveStatistics, 0, sizeof t->driveStatistics);
    EXPECT_EQ(0u, decode(past).count);
}

TEST_F(LogPage, AtMost448DrivesAreListed) {
    Page page;
    for (unsigned ch = 0; ch < 2; ++ch) {
        for (unsigned id = 0; id < 250; ++id) {
            place(ch, id, ch, id);
            page.drive(ch, id, {1, 1, 1, 1});
        }
    }
    Decoded d = decode(page.done());
    EXPECT_EQ(448u, d.count);
    EXPECT_EQ(5u + 448 * 6 + 5, d.common.size());
    EXPECT_EQ("  448", d.common.substr(0, 5));
    EXPECT_EQ("   80", d.common.substr(d.common.size() - 5));
    EXPECT_EQ(448u * 80, d.rows.size());
}

TEST(TranslationPage, EntriesFillChannelsBelow32AndSkipFlaggedOnes) {
    Bytes page(12, 0);
    page[0] = 0xA0;
    for (Bytes e : {Bytes{0x00, 0x01, 0x00, 0x01}, Bytes{0x1F, 0x7D, 0x02, 0x0E}, Bytes{0x20, 0x02, 0x05, 0x05},
                    Bytes{0xE0, 0x03, 0x05, 0x05}}) {
        page.insert(page.end(), e.begin(), e.end());
    }
    page[3] = static_cast<unsigned char>(page.size() - 4);
    auto tables = newTables();
    ArrayTables* t = tables.get();
    decodeTranslationPage(t, page.data(), static_cast<unsigned>(page.size()));
    EXPECT_EQ(0, t->driveChIdtoTraySlot[0][1][0]);
    EXPECT_EQ(1, t->driveChIdtoTraySlot[0][1][1]);
    EXPECT_EQ(2, t->driveChIdtoTraySlot[31][0x7D][0]);
    EXPECT_EQ(14, t->driveChIdtoTraySlot[31][0x7D][1]);
    EXPECT_EQ(0xFF, t->driveChIdtoTraySlot[0][2][0]);  // 0x20 has a top bit set
    EXPECT_EQ(0xFF, t->driveChIdtoTraySlot[0][3][1]);
    EXPECT_EQ(0xFF, t->driveChIdtoTraySlot[5][5][0]);

    // A page length beyond the buffer: the entries held are read, nothing past them.
    page[2] = page[3] = 0xFF;
    page.resize(18);
    decodeTranslationPage(t, page.data(), static_cast<unsigned>(page.size()));
    EXPECT_EQ(1, t->driveChIdtoTraySlot[0][1][1]);
    EXPECT_EQ(0xFF, t->driveChIdtoTraySlot[31][0x7D][0]);
}

TEST(ReturnString, JoinsControllersAndFillsMissingRowsWithZeros) {
    std::vector<char> result(SCSI_RESULT_LENGTH);
    const std::string r1 = row({1, 2, 3, 4, 5, 6, 7, 8}), r2 = row({9, 9, 9, 9, 0, 0, 0, 0});
    const std::string common = "    2  0  1  0  2   80";

    buildReturnString(result.data(), common.c_str(), common.c_str(), (r1 + r1).c_str(), (r2 + r2).c_str(), 2, 2);
    EXPECT_EQ(common + r1 + r1 + r2 + r2, result.data());

    // Controller 1 skipped: controller 2's list, zero rows in its place, then its rows.
    buildReturnString(result.data(), "", common.c_str(), "", (r2 + r2).c_str(), 0, 2);
    EXPECT_EQ(common + kZeroRow + kZeroRow + r2 + r2, result.data());

    // Only controller 1 read.
    buildReturnString(result.data(), common.c_str(), "", (r1 + r1).c_str(), "", 2, 0);
    EXPECT_EQ(common + r1 + r1 + kZeroRow + kZeroRow, result.data());

    // Controller 1 listing no drive hides controller 2's; neither read gives "    0" too.
    buildReturnString(result.data(), "    0", common.c_str(), "", (r2 + r2).c_str(), 0, 2);
    EXPECT_STREQ("    0", result.data());
    buildReturnString(result.data(), "", "", "", "", 0, 0);
    EXPECT_STREQ("    0", result.data());
}

TEST(ReturnString, LargestResultFitsItsBuffer) {
    std::string common = "  448" + std::string(448 * 6, ' ') + "   80";
    std::string rows(448 * 80, '7');
    std::vector<char> result(SCSI_RESULT_LENGTH);
    buildReturnString(result.data(), common.c_str(), common.c_str(), rows.c_str(), rows.c_str(), 448, 448);
    EXPECT_EQ(static_cast<size_t>(SCSI_RESULT_LENGTH - 1), std::strlen(result.data()));
    // Counts beyond what the rows can hold are cut at the buffer's end.
    buildReturnString(result.data(), common.c_str(), "", rows.c_str(), "", 5000, 5000);
    EXPECT_EQ(static_cast<size_t>(SCSI_RESULT_LENGTH - 1), std::strlen(result.data()));
}

TEST(ArrayModels, KnownProductsAreDataLunsAndUniversalXportIsTheUtmLun) {
    EXPECT_EQ(1, filterByIDs("SGI     ", "TP9500S         "));
    EXPECT_EQ(1, filterByIDs("STK     ", "OPENstorage D280"));
    for (const char* vendor : {"LSI     ", "SGI     ", "IBM     ", "STK     "}) {
        EXPECT_EQ(2, filterByIDs(vendor, "Universal Xport "));
    }
    EXPECT_EQ(0, filterByIDs("LSI     ", "TP9300          "));  // product of another vendor
    EXPECT_EQ(0, filterByIDs("IBM     ", "1742           "));   // blanks are compared too
    EXPECT_EQ(0, filterByIDs(nullptr, "INF-01-00       "));
    EXPECT_EQ(0, filterByIDs("LSI     ", nullptr));
}
