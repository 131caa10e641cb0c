#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>
#include <string>
#include <string_view>
#include <vector>

#include "link/command_channel.h"
#include "res/settings_ids.h"
#include "tests/windows/address_typing.h"
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
    void SetUp() override {
        page.show();
        QApplication::setActiveWindow(&page);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    }
    void TearDown() override {
        g_bIpChangeRunning = 0;
        g_broadcast = 0;
    }
    // The control after old was shown, field clicked into and keys typed.
    std::string Typed(const char* old, int field, std::string_view keys) {
        address.SetText(old);
        TypeAddress(address, keys, field);
        return address.Text();
    }

    WindowFixture fixture;
    CNetworkSetting page;
    CIpAddressEdit& address = page.AddressControl();
};

TEST_F(NetworkPage, ADoubleClickedHostAddressProposesAPlotterAddress) {
    auto& host = static_cast<QLabel&>(*page.Controls().Control(res::IDC_HOST_IP[1]));
    host.setText("192.168.1.20");
    QTest::mouseDClick(&host, Qt::LeftButton);
    EXPECT_EQ(address.Text(), "192.168.1.200");
    host.clear();
    QTest::mouseDClick(&host, Qt::LeftButton);
    EXPECT_EQ(address.Text(), "192.168.1.200");
}

TEST_F(NetworkPage, AnAddressTypedKeyByKeyIsTheAddressHeld) {
    for (const TypedAddress& typed : kTypedAddresses)
        EXPECT_EQ(Typed(typed.old, 0, typed.keys), typed.address) << typed.keys << " over " << typed.old;
    // A "." just after entering a field, and Left, Right and Backspace at a
    // field's edge.
    EXPECT_EQ(Typed("", 0, "1..2"), "1.2.0.0");
    EXPECT_EQ(Typed("10.20.30.40", 2, "7<<\b5>>>1"), "10.25.7.140");
    EXPECT_EQ(Typed("192.168.1.200", 3, "\b\b\b7.9"), "192.168.7.9");
    address.SetText("");
    EXPECT_TRUE(address.IsBlank());
    EXPECT_EQ(address.Text(), "");
}

TEST_F(NetworkPage, AFieldAbove255IsRefusedWithAHint) {
    EXPECT_EQ(Typed("", 0, "256"), "25.0.0.0");
    EXPECT_EQ(QToolTip::text(), "0-255");
    EXPECT_EQ(QApplication::focusWidget(), address.Field(0));
    TypeIntoFocus(".1.1.1");
    EXPECT_EQ(address.Text(), "25.1.1.1");
    // Typed again from a click into the field being typed in.
    TypeAddress(address, "127.0.0.5");
    EXPECT_EQ(address.Text(), "127.0.0.5");
}

TEST_F(NetworkPage, APastedAddressFillsTheFourFields) {
    QGuiApplication::clipboard()->setText(" 172.16.254.1 ");
    address.SetText("1.2.3.4");
    QTest::mouseClick(address.Field(1), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(address.Text(), "172.16.254.1");
    QGuiApplication::clipboard()->setText("172.16.300.1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(address.Text(), "172.16.254.1");
}

TEST_F(NetworkPage, ABlankAddressStartsNoChange) {
    QTest::mouseClick(static_cast<QWidget*>(page.Controls().Control(res::IDC_SET_IP)), Qt::LeftButton);
    EXPECT_EQ(g_bIpChangeRunning, 0);
    EXPECT_EQ(g_broadcast, 0);
    EXPECT_EQ(fixture.document->m_config.IP_ADDR, "127.0.0.1");
}

}  // namespace
