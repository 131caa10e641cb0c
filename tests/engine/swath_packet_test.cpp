#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/document.h"
#include "engine/swath_labels.h"
#include "engine/swath_packet.h"
#include "engine/swath_packing.h"
#include "engine/test_pattern.h"
#include "platform/message_box.h"
#include "tests/support/temp_dir.h"
#include "tests/support/message_recorder.h"

namespace {

// Payload words as sent, for one pass's fire words packed alone or with others.
std::vector<uint16_t> Sent(std::vector<uint16_t> payload) {
    SwapMiddleNibbles(payload);
    return payload;
}

TEST(SwathPacking, HeaderSpellsTheMarkerAndTheSyncWords) {
    uint16_t header[kSwathPacketHeaderWords] = {};
    WriteSwathPacketHeader(header);
    char letters[10];
    std::memcpy(letters, header, sizeof letters);  // the words lie little-endian on this machine
    EXPECT_EQ(std::string(letters, 10), "quvenbatro");
    EXPECT_EQ(header[0], 0x7571);
    EXPECT_EQ(header[5], 0xAAAA);
    EXPECT_EQ(header[6], 0x5555);
    EXPECT_EQ(header[7], 0xAAAA);
    EXPECT_EQ(header[8], 0x5555);
}

// Seven words: four are packed together as one 64-bit value, three alone.
TEST(SwathPacking, TwoPassModePutsPassOneInTheHighByte) {
    std::vector<uint16_t> payload(7, 0xFFFF);
    const std::vector<uint16_t> pass0 = {0x0005, 0x0000, 0xFFFF, 0x0000, 0x0005, 0x0000, 0xFFFF};
    const std::vector<uint16_t> pass1 = {0x0030, 0x0001, 0x0000, 0xFFFF, 0x0030, 0x0001, 0x0000};
    PackTwoPassWords(payload, pass0, 0);
    PackTwoPassWords(payload, pass1, 1);
    EXPECT_EQ(payload, (std::vector<uint16_t>{0x3005, 0x0100, 0x00FF, 0xFF00, 0x3005, 0x0100, 0x00FF}));
    EXPECT_EQ(Sent(payload), (std::vector<uint16_t>{0x3005, 0x0010, 0x0F0F, 0xF0F0, 0x3005, 0x0010, 0x0F0F}));
}

TEST(SwathPacking, FourPassModeKeepsOnlyTheSelectedHeadPair) {
    // Selector 2: positions 1 and 2, fire bits 1, 2 (column A) and 5, 6 (column B).
    std::vector<uint16_t> payload(7);
    const std::vector<uint16_t> allBits(7, 0xFFFF);
    const std::vector<uint16_t> none(7, 0x0000);
    PackFourPassWords(payload, allBits, 0, 2);
    EXPECT_EQ(payload, std::vector<uint16_t>(7, 0x0033));
    const std::vector<uint16_t> position1ColumnA = {0x0002, 0x0004, 0x0001, 0x0008, 0x0002, 0x0004, 0x0001};
    PackFourPassWords(payload, none, 0, 2);
    PackFourPassWords(payload, position1ColumnA, 3, 2);
    EXPECT_EQ(payload, (std::vector<uint16_t>{0x0400, 0x0800, 0, 0, 0x0400, 0x0800, 0}));
    EXPECT_EQ(Sent(payload)[0], 0x0040);

    // Each pass has its own two bits per column in the word as sent.
    for (int pass = 0; pass < 4; ++pass) {
        PackFourPassWords(payload, none, 0, 3);
        PackFourPassWords(payload, allBits, pass, 3);
        EXPECT_EQ(Sent(payload), std::vector<uint16_t>(7, 0x0303 << (2 * pass))) << "pass " << pass;
    }

    // A refused nozzle configuration (0) or a selector naming no pair keeps no
    // fire bits and clears what the buffer held.
    for (int32_t selector : {0, -1, 4, 31, INT32_MAX, INT32_MIN}) {
        std::ranges::fill(payload, 0xFFFF);
        for (int pass = 0; pass < 4; ++pass) PackFourPassWords(payload, allBits, pass, selector);
        EXPECT_EQ(payload, none) << "selector " << selector;
    }
}

TEST(SwathLabels, TextsNameTheFileAndTheTime) {
    EXPECT_EQ(PrintFileName("/work/folder/job.plt"), "job.plt");
    EXPECT_EQ(PrintFileName("job.plt"), "job.plt");
    EXPECT_EQ(PrintFileName("folder/"), "");

    std::tm time{};
    time.tm_hour = 9;
    time.tm_min = 5;
    time.tm_sec = 7;
    EXPECT_EQ(FinishingLabelText("job.plt", time), "文件名: job.plt  完成时间:  9:05:07");
    time.tm_hour = 13;
    EXPECT_EQ(StartingLabelText("KIRO2600", "job.plt", time), "KIRO2600  文件名: job.plt  开始时间: 13:05:07");

    // Y up from the label's baseline becomes Y down from the bottom of pass p.
    LineArray lines = {{100, 600, 140, 860}};
    FlipLabelIntoPass(lines, 2, 698);
    EXPECT_EQ(lines[0], (LineF{100, 3 * 698 - 600, 140, 3 * 698 - 860}));
}

TEST(TestPattern, StripesSpanTheWholePass) {
    const LineArray twoPass = TestPatternStripes(false, 3, 1, 2792);
    ASSERT_EQ(twoPass.size(), 25u * 12u);
    EXPECT_EQ(twoPass.front(), (LineF{300, 2792, 300, 2 * 2792 - 1}));
    EXPECT_EQ(twoPass[11].x1, 311);
    EXPECT_EQ(twoPass[12].x1, 1260);
    EXPECT_EQ(twoPass.back().x1, 23351);
    EXPECT_EQ(twoPass[24 * 12].x1, 23340);

    const LineArray fourPass = TestPatternStripes(true, 3, 0, 698);
    ASSERT_EQ(fourPass.size(), 20u * 12u);
    EXPECT_EQ(fourPass.front(), (LineF{300, 0, 300, 697}));
    EXPECT_EQ(fourPass[12].x1, 760);
    EXPECT_EQ(fourPass.back().x1, 9051);
    EXPECT_EQ(StartingLabelX(3), 9052);  // just right of the last stripe

    EXPECT_TRUE(TestPatternStripes(true, -1, 0, 698).empty());
    EXPECT_EQ(StartingLabelX(-5), 9028);
    // A mistyped level makes wide stripes, not billions of lines.
    EXPECT_EQ(TestPatternStripes(true, INT32_MAX, 0, 698).size(), 20u * 24000u);
    EXPECT_EQ(StartingLabelX(INT32_MAX), 9040 + 24000);
    EXPECT_EQ(StartingLabelX(INT32_MIN), 9040 - 24000);
}

// One HP45 head at position 0: four-pass packets of 698-unit swaths.
const char* kOneHead =
    "[CTRPARAM]\nJetPrintHead=1\n"
    "[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\n"
    "[PRINT]\nPRINTFILENAME=0\n";
// Four HP45 heads: two-pass packets of 2792-unit swaths.
const char* kFourHeads =
    "[CTRPARAM]\nJetPrintHead=4\n"
    "[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\nJetPrintHeadOpenStatus2=1\n"
    "JetPrintHeadOpenStatus4=1\nJetPrintHeadOpenStatus6=1\n";
// Across the carriage (file Y) 0 to 3000 units, 4000 units along the feed.
const char* kDrawing = "IN;PU0,0;PD4000,0;PU2000,3000;PD2004,3000;";

// A document whose print slot holds a prepared job.
class SwathPacketTest : public testing::Test {
protected:
    ~SwathPacketTest() override {
        g_firstTransfer = 1;
        g_forceEnd = 0;
    }

    void Prepare(const std::string& ini, const std::string& plot = kDrawing) {
        dir_.Write("config.ini", ini);
        dir_.Write("job.plt", plot);
        doc_ = std::make_unique<CTOLVEXR5DServerDoc>(dir_.path());
        doc_->m_strSlotPath[SLOT_PRINT] = dir_.File("job.plt");
        doc_->m_labelClock = [this] {
            ++clockReads_;
            return std::tm{};
        };
        ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
        ASSERT_TRUE(doc_->PrepareSwathBuffers());
    }

    SwathPlan& Plan() { return doc_->m_plan[SLOT_PRINT]; }
    CSwathRaster& Raster() { return doc_->m_raster[SLOT_PRINT]; }
    std::span<const uint16_t> Packet() {
        return {Raster().m_pPacket.get(), static_cast<size_t>(Raster().m_nWordCount)};
    }
    std::vector<uint16_t> Payload() {
        const auto packet = Packet();
        return {packet.begin() + kSwathPacketHeaderWords, packet.end()};
    }
    // The finished payload of the packet of swath n (or of the test pattern).
    std::vector<uint16_t> Finished(int n, bool testPattern) {
        g_firstTransfer = testPattern ? 1 : 0;
        EXPECT_TRUE(doc_->BuildSwathPacket(n));
        EXPECT_TRUE(doc_->FinishSwathPacket());
        return Payload();
    }

    MessageRecorder messages_;
    TempDir dir_;
    std::unique_ptr<CTOLVEXR5DServerDoc> doc_;
    int clockReads_ = 0;
};

TEST_F(SwathPacketTest, ForceEndFinishesTheDataOnce) {
    Prepare(kOneHead);
    EXPECT_FALSE(doc_->IsPrintDataFinished());
    g_forceEnd = 1;
    EXPECT_TRUE(doc_->IsPrintDataFinished());
    EXPECT_EQ(g_forceEnd.load(), 0);
    EXPECT_FALSE(doc_->IsPrintDataFinished());

    Plan().m_nCurrentSwath = Plan().m_nSwathCount.load();
    EXPECT_TRUE(doc_->IsPrintDataFinished());
    Plan().m_nCurrentSwath = 0;
    Plan().m_nWidthDots = 0;
    EXPECT_TRUE(doc_->IsPrintDataFinished());
}

TEST_F(SwathPacketTest, BuildRefusesWithoutFittingBuffers) {
    Prepare(kOneHead);
    g_firstTransfer = 0;
    EXPECT_FALSE(doc_->BuildSwathPacket(Plan().m_nSwathCount));
    EXPECT_TRUE(doc_->BuildSwathPacket(Plan().m_nSwathCount - 1));
    const std::vector<uint16_t> before(Packet().begin(), Packet().end());

    // A plan whose geometry changed after the buffers were made.
    ++Plan().m_nWordCount;
    EXPECT_FALSE(doc_->BuildSwathPacket(0));
    --Plan().m_nWordCount;
    ++Plan().m_nBytesPerRow;
    EXPECT_FALSE(doc_->BuildSwathPacket(0));
    --Plan().m_nBytesPerRow;
    EXPECT_EQ(std::vector<uint16_t>(Packet().begin(), Packet().end()), before);

    // Geometry that cannot be computed leaves no buffers behind.
    doc_->m_config.ELineWidth = INT32_MAX;
    EXPECT_FALSE(doc_->PrepareSwathBuffers());
    EXPECT_EQ(Raster().m_pPacket, nullptr);
    EXPECT_EQ(Raster().m_pRows, nullptr);
    EXPECT_FALSE(doc_->BuildSwathPacket(0));
    EXPECT_FALSE(doc_->FinishSwathPacket());

    // Buffers freed at a job's end.
    doc_->m_config.ELineWidth = 2;
    ASSERT_TRUE(doc_->PrepareSwathBuffers());
    Raster().FreeBuffers();
    EXPECT_FALSE(doc_->BuildSwathPacket(0));
}

TEST_F(SwathPacketTest, PacketsOfNineWordsHaveOnlyTheHeader) {
    Prepare(kOneHead);
    g_firstTransfer = 0;
    Plan().m_nWordCount = 9;
    ASSERT_TRUE(Raster().AllocateBuffers());
    EXPECT_TRUE(doc_->BuildSwathPacket(0));
    EXPECT_EQ(Packet()[8], 0x5555);
    EXPECT_TRUE(doc_->FinishSwathPacket());
    EXPECT_EQ(Plan().m_nSentWordCount, 9);  // 0 bytes to send

    // Too short for the header: nothing is built, nothing is to be sent.
    Plan().m_nWordCount = 8;
    ASSERT_TRUE(Raster().AllocateBuffers());
    EXPECT_FALSE(doc_->BuildSwathPacket(0));
    EXPECT_FALSE(doc_->FinishSwathPacket());
    EXPECT_EQ(Plan().m_nSentWordCount, 9);
}

TEST_F(SwathPacketTest, RefusedNozzleConfigurationPacksNoFireBits) {
    Prepare("[CTRPARAM]\nJetPrintHead=1\n[PRINT]\nPRINTFILENAME=0\n");  // no head open
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_EQ(messages_.shown.front().text, "Nozzle configuration is incorrect.");
    ASSERT_EQ(doc_->m_config.HeadPairSelector, 0);
    for (bool testPattern : {true, false}) {
        const std::vector<uint16_t> payload = Finished(0, testPattern);
        EXPECT_EQ(std::count(payload.begin(), payload.end(), 0), std::ssize(payload));
    }
}

TEST_F(SwathPacketTest, TwoPassTestPatternFiresTheStripeColumns) {
    Prepare(kFourHeads + std::string("[PRINT]\nBELTWIDTH=3\n"));
    ASSERT_EQ(doc_->m_config.FourPass, 0);
    const std::vector<uint16_t> payload = Finished(0, true);
    EXPECT_EQ(Plan().m_nSentWordCount, Plan().m_nWordCount);
    // The first stripe, x = 300 to 311 units, covers dots 49 to 51, and the
    // line width one more. Nozzle 0 of the head at position 0 fires column A
    // in slot 0, so pass 0 sets bit 0 of payload word column x 154.
    for (int column = 48; column <= 53; ++column)
        EXPECT_EQ(payload[column * 154] & 1, column >= 49 && column <= 52) << "column " << column;
    EXPECT_EQ(clockReads_, 0);  // two-pass patterns carry no label
}

TEST_F(SwathPacketTest, FourPassTestPatternLabelsPassesZeroAndOne) {
    // Wide enough for the label right of the stripes.
    Prepare(kOneHead, "IN;PU0,0;PD4000,0;PU2000,25000;PD2004,25000;");
    const std::vector<uint16_t> plain = Finished(0, true);
    doc_->m_config.PRINTFILENAME = 1;
    const std::vector<uint16_t> labelled = Finished(0, true);
    EXPECT_EQ(clockReads_, 1);  // read once for both passes

    uint16_t changed = 0;
    for (size_t i = 0; i < plain.size(); ++i) changed |= plain[i] ^ labelled[i];
    // Bits as sent: pass p owns bits 2p, 2p + 1 (column A) and 8 + 2p, 9 + 2p (B).
    EXPECT_NE(changed & 0x0303, 0);
    EXPECT_NE(changed & 0x0C0C, 0);
    EXPECT_EQ(changed & 0xF0F0, 0);
}

TEST_F(SwathPacketTest, FinishingLabelTakesTheLabelSwathsPass) {
    // Two swaths of drawing and the label swath: the packet of swath 0 holds
    // the label in pass 2, and passes past the swath count pack nothing.
    Prepare(kOneHead, "IN;PU0,0;PD1000,0;PU0,3000;PD1000,3000;");
    ASSERT_EQ(Plan().m_nLabelSwath, 2);
    const std::vector<uint16_t> plain = Finished(0, false);
    doc_->m_config.PRINTFILENAME = 1;
    const std::vector<uint16_t> labelled = Finished(0, false);
    EXPECT_EQ(clockReads_, 1);

    uint16_t changed = 0;
    uint16_t plainBits = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        changed |= plain[i] ^ labelled[i];
        plainBits |= plain[i];
    }
    EXPECT_EQ(changed, changed & 0x3030);
    EXPECT_NE(changed, 0);
    EXPECT_EQ(plainBits & 0xF0F0, 0);
    EXPECT_NE(plainBits & 0x0303, 0);
}

}  // namespace
