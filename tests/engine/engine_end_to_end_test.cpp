#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "core/document.h"
#include "engine/swath_packet.h"
#include "platform/message_box.h"
#include "tests/support/job_payloads.h"
#include "tests/support/temp_dir.h"
#include "tests/support/message_recorder.h"

namespace {

// A payload bit: packet index, payload word, bit.
struct PayloadBit {
    int packet;
    int word;
    int bit;
    auto operator<=>(const PayloadBit&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const PayloadBit& b) {
        return out << "packet " << b.packet << " word " << b.word << " bit " << b.bit;
    }
};

// What a case folder's expected.txt says, line by line:
//   packets K         the job sends K payloads, the test pattern first
//   words N           every packet has N words
//   set P W B         bit B of payload word W of packet P is set
//   clear P W B       ... is clear
//   only P            the bits listed with "set" are all that packet P sets
struct Expectation {
    int packets = -1;
    int words = -1;
    std::set<PayloadBit> set;
    std::set<PayloadBit> clear;
    std::set<int> only;
};

Expectation ReadExpectation(const std::string& path) {
    Expectation expected;
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        if (!(fields >> key) || key[0] == '#') continue;
        PayloadBit bit{};
        if (key == "packets") {
            fields >> expected.packets;
        } else if (key == "words") {
            fields >> expected.words;
        } else if (key == "only") {
            fields >> bit.packet;
            expected.only.insert(bit.packet);
        } else if (key == "set" || key == "clear") {
            fields >> bit.packet >> bit.word >> bit.bit;
            (key == "set" ? expected.set : expected.clear).insert(bit);
        } else {
            ADD_FAILURE() << "unknown line: " << line;
        }
        EXPECT_TRUE(fields) << line;
    }
    return expected;
}

class EngineEndToEnd : public testing::TestWithParam<const char*> {
protected:
    ~EngineEndToEnd() override { g_firstTransfer = 1; }

    std::string CaseFile(const std::string& name) const {
        return std::string(TOLVEX_SOURCE_DIR) + "/tests/data/" + GetParam() + "/" + name;
    }

    MessageRecorder messages_;
    TempDir dir_;
};

// The plot file and config.ini of a case folder, prepared as a job start
// does and sent packet by packet, land their dots in the payload words and
// bits that expected.txt derives by hand.
TEST_P(EngineEndToEnd, DotsLandWhereDerived) {
    const Expectation expected = ReadExpectation(CaseFile("expected.txt"));
    std::ifstream ini(CaseFile("config.ini"));
    dir_.Write("config.ini", std::string(std::istreambuf_iterator<char>(ini), {}));
    CTOLVEXR5DServerDoc doc(dir_.path());
    doc.m_strSlotPath[SLOT_PRINT] = CaseFile("job.plt");
    ASSERT_TRUE(doc.PreparePlotSlot(SLOT_PRINT));
    ASSERT_TRUE(doc.PrepareSwathBuffers());
    const SwathPlan& plan = doc.m_plan[SLOT_PRINT];
    ASSERT_EQ(plan.m_nWordCount, expected.words);

    std::vector<std::vector<uint16_t>> payloads;
    const bool built = ForEachJobPayload(doc, [&](std::span<const uint16_t> payload) {
        const uint16_t* header = doc.m_raster[SLOT_PRINT].m_pPacket.get();
        EXPECT_EQ(std::vector<uint16_t>(header, header + 9),
                  (std::vector<uint16_t>{0x7571, 0x6576, 0x626E, 0x7461, 0x6F72, 0xAAAA, 0x5555, 0xAAAA, 0x5555}));
        EXPECT_EQ(plan.m_nSentWordCount, expected.words);
        EXPECT_EQ(payload.size() * 2, 2u * expected.words - 18);
        payloads.emplace_back(payload.begin(), payload.end());
    });
    ASSERT_TRUE(built);
    ASSERT_EQ(std::ssize(payloads), expected.packets);
    EXPECT_EQ(messages_.Texts(), std::vector<std::string>{});

    const auto isSet = [&](const PayloadBit& b) { return (payloads[b.packet].at(b.word) >> b.bit & 1) != 0; };
    for (const PayloadBit& b : expected.set)
        EXPECT_TRUE(isSet(b)) << b;
    for (const PayloadBit& b : expected.clear)
        EXPECT_FALSE(isSet(b)) << b;

    for (int packet : expected.only) {
        std::set<PayloadBit> fired;
        for (int word = 0; word < std::ssize(payloads[packet]); ++word)
            for (int bit = 0; bit < 16; ++bit)
                if (payloads[packet][word] >> bit & 1) fired.insert({packet, word, bit});
        std::set<PayloadBit> listed;
        for (const PayloadBit& b : expected.set)
            if (b.packet == packet) listed.insert(b);
        EXPECT_EQ(fired, listed) << "packet " << packet;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EngineEndToEnd, testing::Values("job_four_pass", "job_two_pass"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

}  // namespace
