#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <vector>

#include "core/plotter_config.h"
#include "engine/nozzle_order.h"
#include "engine/swath_plan.h"
#include "engine/swath_raster.h"
#include "platform/message_box.h"
#include "tests/support/message_recorder.h"

namespace {

using FiredWords = std::map<int32_t, uint16_t>;

// A raster with HP45 heads (150 nozzles, 154 firing slots), its plan and
// configuration, and fire words that start out as garbage.
class Mapping {
public:
    explicit Mapping(int heads) {
        config.HeadType = HEAD_TYPE_HP45;
        config.JetPrintHead = static_cast<uint8_t>(heads);
        config.NozzlesPerHead = 150;
        config.RowsPerHead = 154;
        config.TotalNozzles = 150 * heads;
        config.TotalRows = 154 * heads;
        plan.m_pConfig = &config;
        plan.m_nColumns = 100;
        plan.m_nWordCount = 154 * 200;
        raster.m_pPlan = &plan;
        Allocate(config.TotalNozzles, 16, plan.m_nWordCount);
    }
    Mapping(const Mapping&) = delete;
    Mapping& operator=(const Mapping&) = delete;

    void Allocate(int32_t rows, int32_t bytesPerRow, int32_t wordCount) {
        raster.m_nRowCount = rows;
        raster.m_nBytesPerRow = bytesPerRow;
        raster.m_pRows = std::make_unique<uint8_t[]>(static_cast<size_t>(rows) * bytesPerRow);
        raster.m_nWordCount = wordCount;
        raster.m_pFireWords = std::make_unique<uint16_t[]>(wordCount);
        std::fill_n(raster.m_pFireWords.get(), wordCount, uint16_t{0xFFFF});
    }

    void Enable(std::initializer_list<int> positions) {
        for (int position : positions) config.JetPrintHeadOpenStatus[2 * position] = 1;
    }
    void SetDot(int row, int x) { raster.Row(row)[x / 8] |= static_cast<uint8_t>(1 << (x % 8)); }

    FiredWords Map() {
        raster.MapNozzles();
        return Fired();
    }
    FiredWords Fired() const {
        FiredWords fired;
        for (int32_t i = 0; i < raster.m_nWordCount; ++i)
            if (raster.m_pFireWords[i] != 0) fired[i] = raster.m_pFireWords[i];
        return fired;
    }
    std::vector<uint8_t> HeadSlots() const {
        return {raster.m_abHeadSlot, raster.m_abHeadSlot + raster.m_nHeadCount};
    }

    PlotterConfig config;
    SwathPlan plan;
    CSwathRaster raster;
};

// Slot -> nozzle of a column, -1 for a slot that fires nothing. Fails when a
// slot is out of range or taken twice.
std::array<int, 154> NozzlesBySlot(const NozzleSlotTable& table) {
    std::array<int, 154> nozzles;
    nozzles.fill(-1);
    for (int n = 0; n < 150; ++n) {
        EXPECT_LT(table[n], 154) << "nozzle " << n;
        if (table[n] >= 154) continue;
        EXPECT_EQ(nozzles[table[n]], -1) << "slot " << table[n] << " fires two nozzles";
        nozzles[table[n]] = n;
    }
    return nozzles;
}

TEST(NozzleOrder, TablesFollowTheFiringOrder) {
    const std::vector<uint16_t> firstA(NozzleToSlotA.begin(), NozzleToSlotA.begin() + 10);
    const std::vector<uint16_t> firstB(NozzleToSlotB.begin(), NozzleToSlotB.begin() + 10);
    EXPECT_EQ(firstA, (std::vector<uint16_t>{0, 105, 56, 7, 112, 63, 14, 119, 70, 21}));
    EXPECT_EQ(firstB, (std::vector<uint16_t>{56, 7, 112, 63, 14, 119, 70, 21, 126, 77}));

    const auto nozzlesA = NozzlesBySlot(NozzleToSlotA);
    const auto nozzlesB = NozzlesBySlot(NozzleToSlotB);
    std::vector<int> deadA, deadB;
    for (int slot = 0; slot < 154; ++slot) {
        if (nozzlesA[slot] < 0) deadA.push_back(slot);
        if (nozzlesB[slot] < 0) deadB.push_back(slot);
        EXPECT_EQ(nozzlesB[slot], nozzlesA[(slot + 98) % 154]) << "slot " << slot;
    }
    EXPECT_EQ(deadA, (std::vector<int>{48, 49, 98, 153}));
    EXPECT_EQ(deadB, (std::vector<int>{0, 55, 104, 105}));

    EXPECT_EQ(NozzleToSlotAReversed, NozzleToSlotA);
    EXPECT_EQ(NozzleToSlotBReversed, NozzleToSlotB);

    for (unsigned n = 0; n < 150; ++n) {
        EXPECT_EQ(GetNozzleSlotA(n), NozzleToSlotA[n]);
        EXPECT_EQ(GetNozzleSlotB(n), NozzleToSlotB[n]);
        EXPECT_EQ(GetNozzleSlotAReversed(n), NozzleToSlotA[n]);
        EXPECT_EQ(GetNozzleSlotBReversed(n), NozzleToSlotB[n]);
    }
    for (unsigned n : {150u, 151u, 1000u, UINT_MAX}) {
        EXPECT_EQ(GetNozzleSlotA(n), 0);
        EXPECT_EQ(GetNozzleSlotB(n), 0);
        EXPECT_EQ(GetNozzleSlotAReversed(n), 0);
        EXPECT_EQ(GetNozzleSlotBReversed(n), 0);
    }
}

TEST(NozzleMapping, ForwardPassFiresEachColumnAtItsOffset) {
    MessageRecorder messages;
    Mapping m(1);
    m.Enable({2});
    m.config.JetPrintHeadValueX[0] = m.config.JetPrintHeadValueX[1] = 777;
    m.config.JetPrintHeadValueX[4] = 3;
    m.config.JetPrintHeadValueX[5] = 10;
    m.SetDot(0, 5);
    m.SetDot(1, 0);
    m.SetDot(0, 64);  // first dot of the second 8-byte chunk

    // Word = carriage column * 154 + slot; nozzle 0 fires in slot 0 (A) and 56
    // (B), nozzle 1 in slot 105 (A) and 7 (B).
    EXPECT_EQ(m.Map(), (FiredWords{{8 * 154, 0x04},
                                   {15 * 154 + 56, 0x40},
                                   {3 * 154 + 105, 0x04},
                                   {10 * 154 + 7, 0x40},
                                   {67 * 154, 0x04},
                                   {74 * 154 + 56, 0x40}}));
    EXPECT_EQ(m.HeadSlots(), (std::vector<uint8_t>{2}));
    EXPECT_TRUE(messages.shown.empty());

    // The last nozzle of the head, with the 154-slot stride of a second head.
    Mapping two(2);
    two.Enable({0, 1});
    two.SetDot(299, 0);
    EXPECT_EQ(two.Map(), (FiredWords{{NozzleToSlotA[149], 0x02}, {NozzleToSlotB[149], 0x20}}));
}

TEST(NozzleMapping, HeadsTakeTheFirstFittingEnabledPositions) {
    struct Case {
        int heads;
        std::initializer_list<int> enabled;
        std::vector<uint8_t> positions;
    };
    const Case cases[] = {
        {1, {3}, {3}},
        {1, {1, 2}, {1}},
        {2, {1, 2, 3}, {1, 2}},
        {2, {0, 2, 3}, {2, 3}},
        {3, {0, 1, 2, 3}, {0, 1, 2}},
        {3, {1, 2, 3}, {1, 2, 3}},
        {4, {0, 1, 2, 3}, {0, 1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.heads << " heads, first position " << int{c.positions[0]});
        MessageRecorder messages;
        Mapping m(c.heads);
        m.Enable(c.enabled);
        for (int entry = 0; entry < 8; ++entry) m.config.JetPrintHeadValueX[entry] = 2 * entry;
        for (int k = 0; k < c.heads; ++k) m.SetDot(150 * k, 0);

        FiredWords expected;
        for (int p : c.positions) {
            expected[4 * p * 154] = static_cast<uint16_t>(0x01 << p);
            expected[(4 * p + 2) * 154 + 56] = static_cast<uint16_t>(0x10 << p);
        }
        EXPECT_EQ(m.Map(), expected);
        EXPECT_EQ(m.HeadSlots(), c.positions);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST(NozzleMapping, UnplaceableHeadsPrintAtPositionZeroAfterAMessage) {
    struct Case {
        int heads;
        std::initializer_list<int> enabled;
    };
    const Case cases[] = {{1, {}}, {2, {0, 2}}, {3, {0, 1, 3}}, {4, {0, 1, 2}}, {5, {0, 1, 2, 3}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.heads << " heads");
        MessageRecorder messages;
        Mapping m(c.heads);
        m.Enable(c.enabled);
        for (int entry = 0; entry < 8; ++entry) m.config.JetPrintHeadValueX[entry] = 2 * entry + 1;
        for (int k = 0; k < c.heads; ++k) m.SetDot(150 * k, 0);

        EXPECT_EQ(m.Map(), (FiredWords{{0, 0x01}, {56, 0x10}}));
        EXPECT_EQ(m.raster.m_nHeadCount, c.heads);
        EXPECT_EQ(std::vector<uint8_t>(m.raster.m_abHeadSlot, m.raster.m_abHeadSlot + 4),
                  (std::vector<uint8_t>{0, 0, 0, 0}));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Nozzle configuration is incorrect.");
        EXPECT_EQ(messages.shown[0].caption, "Information");
        EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::Ok);
        EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Exclamation);
        m.raster.MapNozzles();
        EXPECT_EQ(messages.shown.size(), 2u) << "once per call";
    }

    // No nozzles per head: no head at all, and nothing can be mapped.
    MessageRecorder messages;
    Mapping none(1);
    none.config.NozzlesPerHead = 0;
    none.SetDot(0, 0);
    EXPECT_TRUE(none.Map().empty());
    EXPECT_EQ(none.raster.m_nHeadCount, 0);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(NozzleMapping, ReversePassMirrorsTheColumns) {
    Mapping m(1);
    m.Enable({0});
    m.plan.m_bReversePass = 1;
    m.plan.m_nColumns = 100;
    m.config.EdLRCrcValue = 20;
    m.config.JetPrintHeadValueX[0] = 5;
    m.config.JetPrintHeadValueX[1] = 2;
    m.config.JetPrintHeadValueY[0] = 3;
    m.config.JetPrintHeadValueY[1] = 50;  // column B follows entry 0 too
    m.SetDot(0, 0);    // column A 100 - 20 - 5 - 3 = 72, column B 75
    m.SetDot(1, 72);   // column A 0, column B 3
    m.SetDot(0, 73);   // column A -1: dropped
    m.SetDot(1, 127);  // both below 0: dropped

    m.raster.MapNozzlesThunk();
    EXPECT_EQ(m.Fired(), (FiredWords{{72 * 154, 0x01},
                                     {75 * 154 + 56, 0x10},
                                     {105, 0x01},
                                     {3 * 154 + 7, 0x10},
                                     {2 * 154 + 56, 0x10}}));
}

TEST(NozzleMapping, NeverWritesOutsideTheBuffers) {
    {
        SCOPED_TRACE("huge offsets");
        Mapping m(1);
        m.Enable({0});
        m.SetDot(0, 0);
        m.SetDot(0, 127);
        m.config.JetPrintHeadValueX[0] = INT32_MAX;
        m.config.JetPrintHeadValueX[1] = INT32_MIN;
        EXPECT_TRUE(m.Map().empty());
        m.plan.m_bReversePass = 1;
        m.plan.m_nColumns = INT32_MAX;
        m.config.EdLRCrcValue = INT32_MIN;
        m.config.JetPrintHeadValueY[0] = INT32_MIN;
        EXPECT_TRUE(m.Map().empty());
        m.config.RowsPerHead = INT32_MAX;  // column 2^33 times the stride passes 2^63
        EXPECT_TRUE(m.Map().empty());
        m.config.RowsPerHead = 154;
        m.config.EdLRCrcValue = INT32_MAX;
        m.config.JetPrintHeadValueY[0] = INT32_MAX;
        m.config.JetPrintHeadValueX[0] = m.config.JetPrintHeadValueX[1] = INT32_MAX;
        EXPECT_TRUE(m.Map().empty());
        m.plan.m_bReversePass = 0;
        m.config.JetPrintHeadValueX[0] = m.config.JetPrintHeadValueX[1] = 0;
        m.config.RowsPerHead = INT32_MAX;
        EXPECT_EQ(m.Map(), (FiredWords{{0, 0x01}, {56, 0x10}})) << "only column 0 fits";
    }
    {
        SCOPED_TRACE("buffers smaller than the plan");
        Mapping m(1);
        m.Enable({0});
        m.plan.m_nWordCount = 1'000'000;
        // Two rows of 13 bytes (a partial last chunk); column 103's B word
        // 103 * 154 + 56 lies past the 15,900 words.
        m.Allocate(2, 13, 15'900);
        m.SetDot(0, 103);
        m.SetDot(1, 0);
        EXPECT_EQ(m.Map(), (FiredWords{{103 * 154, 0x01}, {105, 0x01}, {7, 0x10}}));
    }
    {
        SCOPED_TRACE("no fire words");
        Mapping m(2);
        m.raster.m_pFireWords.reset();
        m.raster.m_nHeadCount = 7;
        m.raster.MapNozzles();
        EXPECT_EQ(m.raster.m_nHeadCount, 7) << "nothing is touched";
    }
    {
        SCOPED_TRACE("no plan");
        Mapping m(1);
        m.raster.m_pPlan = nullptr;
        EXPECT_TRUE(m.Map().empty());
    }
}

}  // namespace
