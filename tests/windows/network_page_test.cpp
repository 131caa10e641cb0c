#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "link/command_channel.h"
#include "res/settings_ids.h"
#include "tests/windows/window_fixture.h"
#include "ui/ip_address_edit.h"
#include "ui/network_addresses.h"
#include "ui/network_setting.h"

namespace {

using Texts = std::vector<std::string>;

TEST(NetworkAddresses, ListsSixHostAddressesLoopbackLast) {
    EXPECT_EQ(ListedHostAddresses({"127.0.0.1", "10.0.0.5", "192.168.1.20", "127.0.1.1", "172.16.0.1", "10.1.1.1",
                                   "10.2.2.2", "10.3.3.3"}),
              (Texts{"10.0.0.5", "192.168.1.20", "172.16.0.1", "10.1.1.1", "10.2.2.2", "10.3.3.3"}));
    EXPECT_EQ(ListedHostAddresses({"127.0.0.1", "10.0.0.5"}), (Texts{"10.0.0.5", "127.0.0.1"}));
}

TEST(NetworkAddresses, SuggestsHost200OrHost201InTheSubnet) {
    EXPECT_EQ(SuggestedPlotterAddress("192.168.1.20"), "192.168.1.200");
    EXPECT_EQ(SuggestedPlotterAddress("10.0.0.200"), "10.0.0.201");
    EXPECT_EQ(SuggestedPlotterAddress(""), "");
    EXPECT_EQ(SuggestedPlotterAddress("10.0.0"), "");
}

TEST(NetworkAddresses, FieldsOfDottedTexts) {
    EXPECT_EQ(ParseAddressFields("192.168.0.200"), (AddressFields{192, 168, 0, 200}));
    EXPECT_EQ(ParseAddressFields("10.256..x1"), (AddressFields{10, std::nullopt, std::nullopt, std::nullopt}));
    EXPECT_EQ(ParseAddressFields("plotter"), AddressFields{});
    EXPECT_EQ(FormatAddress({1, std::nullopt, 3, 4}), "1.0.3.4");
}

class NetworkPage : public ::testing::Test {
protected:
    void TearDown() override {
        g_bIpChangeRunning = 0;
        g_broadcast = 0;
    }

    WindowFixture fixture;
    CNetworkSetting page;
};

TEST_F(NetworkPage, ADoubleClickedHostAddressProposesAPlotterAddress) {
    auto& host = static_cast<QLabel&>(*page.Controls().Control(res::IDC_HOST_IP[1]));
    host.setText("192.168.1.20");
    QTest::mouseDClick(&host, Qt::LeftButton);
    EXPECT_EQ(page.AddressControl().Text(), "192.168.1.200");
    host.clear();
    QTest::mouseDClick(&host, Qt::LeftButton);
    EXPECT_EQ(page.AddressControl().Text(), "192.168.1.200");
}

TEST_F(NetworkPage, TheAddressControlTakesFieldsOfZeroTo255) {
    CIpAddressEdit& address = page.AddressControl();
    address.SetText("10.1.2.3");
    address.Field(3)->clear();
    QTest::keyClicks(address.Field(3), "300");
    EXPECT_EQ(address.Text(), "10.1.2.30");
    address.SetText("");
    EXPECT_TRUE(address.IsBlank());
    EXPECT_EQ(address.Text(), "");
}

TEST_F(NetworkPage, ABlankAddressStartsNoChange) {
    page.OnBnClickedSetIp();
    EXPECT_EQ(g_bIpChangeRunning, 0);
    EXPECT_EQ(g_broadcast, 0);
    EXPECT_EQ(fixture.document->m_config.IP_ADDR, "127.0.0.1");
}

}  // namespace
