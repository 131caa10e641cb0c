#include <gtest/gtest.h>

#include <thread>

#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "platform/string_table.h"

namespace {

TEST(StatusTexts, StartWithOfflineAndStoppedAndIgnoreUnknownKinds) {
    platform::SetUiLanguage(platform::UiLanguage::English);
    StatusTexts texts;
    texts.Init();
    EXPECT_EQ(texts.Get(STATUS_TEXT_PERCENT), "0%");
    EXPECT_EQ(texts.Get(STATUS_TEXT_CONNECTION), "Offline");
    EXPECT_EQ(texts.Get(STATUS_TEXT_TASK), "Waitting");
    EXPECT_EQ(texts.Get(STATUS_TEXT_POSITION), "Position:0000:0000          ");
    EXPECT_EQ(texts.Get(STATUS_TEXT_RUNSTATE), "Stopped  ");
    EXPECT_EQ(texts.Plotting(), "Plotting");
    EXPECT_EQ(texts.Finished(), "Finished");
    EXPECT_EQ(texts.Print(), "Print");

    texts.Set(7, "x");
    texts.Set(1, "x");
    EXPECT_EQ(texts.Get(7), "");
    texts.Set(STATUS_TEXT_PERCENT, "42%");
    texts.Set(STATUS_TEXT_PERCENT, "42%");
    EXPECT_EQ(texts.Get(STATUS_TEXT_PERCENT), "42%");
}

TEST(StatusTexts, ReadersNeverSeeATornText) {
    StatusTexts texts;
    const std::string a(200, 'a'), b(300, 'b');
    std::thread writer([&] {
        for (int i = 0; i < 20000; ++i) texts.Set(STATUS_TEXT_TASK, i % 2 ? a : b);
    });
    for (int i = 0; i < 20000; ++i) {
        const auto seen = texts.Get(STATUS_TEXT_TASK);
        ASSERT_TRUE(seen.empty() || seen == a || seen == b);
    }
    writer.join();
}

TEST(PlotterStatus, JobReadyClearsTheDataSentBitOfTheLastJob) {
    PlotterStatus status;
    EXPECT_FALSE(status.IsJobReady());
    status.m_wUpdate = UPDATE_ALL_DATA_SENT | 0x0001;
    status.SignalJobReady();
    EXPECT_TRUE(status.IsJobReady());
    EXPECT_EQ(status.m_wUpdate, 0x0001);
}

// The network page's check reads replies beside the worker: a reader never
// pairs one reply's code with another's value.
TEST(PlotterStatus, AReplysCodeAndValueAreReadAsOnePair) {
    PlotterStatus status;
    std::thread writer([&] {
        for (uint32_t i = 1; i <= 50000; ++i) status.SetLastReply(i, ~i);
    });
    for (int i = 0; i < 50000; ++i) {
        const PlotterStatus::Reply reply = status.LastReply();
        ASSERT_TRUE(reply.code == 0 || reply.value == ~reply.code) << reply.code;
    }
    writer.join();
    status.ClearReplyValue();
    EXPECT_EQ(status.LastReply().code, 50000u);
    EXPECT_EQ(status.LastReply().value, 0u);
}

TEST(PlotterStatus, PositionFormatComesFromTheStringTable) {
    platform::SetUiLanguage(platform::UiLanguage::English);
    PlotterStatus status;
    EXPECT_EQ(status.PositionFormat(), "");
    status.LoadPositionFormat();
    EXPECT_EQ(status.PositionFormat(), "Position:%04d:%04d          ");
}

}  // namespace
