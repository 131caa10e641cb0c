#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "link/command_channel.h"
#include "link/job_flags.h"
#include "platform/string_table.h"
#include "tests/link/fake_plotter.h"
#include "tests/support/temp_dir.h"

// The channel with a fresh document whose plotter address is loopback, an
// empty socket and a plotter that counts as offline. The socket is opened
// once for the whole test program, as the program opens it once.
class ChannelTest : public ::testing::Test {
protected:
    static constexpr std::chrono::milliseconds kReplyWait{30};

    static void SetUpTestSuite() {
        if (g_commandSocket < 0) OpenCommandSocket();
        g_channelTiming = {kReplyWait, std::chrono::milliseconds(10)};
        platform::SetUiLanguage(platform::UiLanguage::English);
        g_plotterStatus.LoadPositionFormat();
    }

    void SetUp() override {
        document_ = std::make_unique<CTOLVEXR5DServerDoc>(dir_.path());
        // Never the installation's default address: nothing may leave loopback.
        document_->m_config.IP_ADDR = "127.0.0.1";
        g_pDocument = document_.get();
        SetBroadcast(0);
        DrainCommandSocket();
        g_missCount = 0;
        g_abortJob = 0;
        g_plotterStatus.m_bOnline = 0;
        g_plotterStatus.SetLastReply(0, 0);
        g_plotterStatus.m_nStatusWord = 0;
    }

    void TearDown() override {
        SetBroadcast(0);
        g_abortJob = 0;
        g_pDocument = nullptr;
    }

    PlotterConfig& Config() { return document_->m_config; }

    TempDir dir_;
    std::unique_ptr<CTOLVEXR5DServerDoc> document_;
};
