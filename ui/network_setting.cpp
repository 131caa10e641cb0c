#include "ui/network_setting.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "link/command_channel.h"
#include "platform/host_addresses.h"
#include "platform/message_box.h"
#include "res/settings_ids.h"
#include "ui/control_values.h"
#include "ui/ip_address_edit.h"
#include "ui/network_addresses.h"
#include "ui/ui_texts.h"

using namespace res;

std::atomic<uint8_t> g_bIpChangeRunning{0};

namespace {

constexpr int kTickMilliseconds = 100;
constexpr unsigned kDone = 170;
constexpr const char* kSpinner[] = {"-", "/", "|", "\\"};

}  // namespace

CNetworkSetting::CNetworkSetting(QWidget* parent) : CSettingsPage(IDD_NETWORK_PAGE, parent) {
    DialogControls& c = m_controls;
    auto* layout = new QVBoxLayout(this);

    QGroupBox* plotter = c.Group(NET_PLOTTER_GROUP);
    auto* plotterRow = new QHBoxLayout(plotter);
    plotterRow->addWidget(c.Static(NET_ADDRESS_LABEL));
    m_address = new CIpAddressEdit(this);
    c.Add(IDC_PLOTTER_IP, m_address);
    plotterRow->addWidget(m_address);
    QPushButton* set = c.Button(IDC_SET_IP);
    connect(set, &QPushButton::clicked, this, &CNetworkSetting::OnBnClickedSetIp);
    plotterRow->addWidget(set);
    m_spinner = c.Static(IDC_SPINNER);
    m_spinner->setFixedWidth(m_spinner->fontMetrics().horizontalAdvance("W") * 2);
    m_spinner->hide();
    plotterRow->addWidget(m_spinner);
    plotterRow->addStretch();

    QGroupBox* hosts = c.Group(NET_HOST_GROUP);
    auto* hostColumn = new QVBoxLayout(hosts);
    for (int i = 0; i < 6; ++i) {
        m_hosts[i] = new QLabel(this);
        c.Add(IDC_HOST_IP[i], m_hosts[i]);
        m_hosts[i]->installEventFilter(this);
        hostColumn->addWidget(m_hosts[i]);
    }

    layout->addWidget(plotter);
    layout->addWidget(hosts);
    layout->addStretch();

    m_timer.setInterval(kTickMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &CNetworkSetting::OnTimer);
    FillHostAddresses();
}

void CNetworkSetting::ShowValues(const ControlValues& values) {
    CSettingsPage::ShowValues(values);
    m_address->SetText(values.Text(IDC_PLOTTER_IP));
    m_shownAddress = m_address->Text();
}

void CNetworkSetting::CollectValues(ControlValues& values) const {
    CSettingsPage::CollectValues(values);
    // The control cannot show every stored text as it stands (a field above
    // 255 shows empty), so the address counts only when the operator changed
    // what it showed; blank keeps the configured one.
    const std::string address = m_address->Text();
    values.texts[IDC_PLOTTER_IP] = address == m_shownAddress ? std::string() : address;
}

void CNetworkSetting::FillHostAddresses() {
    const std::vector<std::string> listed = ListedHostAddresses(platform::HostIpv4Addresses());
    for (int i = 0; i < 6; ++i)
        m_hosts[i]->setText(i < static_cast<int>(listed.size()) ? QString::fromStdString(listed[i]) : QString());
}

void CNetworkSetting::OnStnDblclkHostIp(int index) {
    const std::string suggestion = SuggestedPlotterAddress(m_hosts[index]->text().toStdString());
    if (!suggestion.empty()) m_address->SetText(suggestion);
}

bool CNetworkSetting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < 6; ++i)
            if (watched == m_hosts[i]) OnStnDblclkHostIp(i);
    }
    return CSettingsPage::eventFilter(watched, event);
}

void CNetworkSetting::OnBnClickedSetIp() {
    if (g_bIpChangeRunning.load() != 0 || m_address->IsBlank()) return;
    SetPlotterAddress(m_address->Text());
    g_bIpChangeRunning = 1;
    SetBroadcast(1);
    m_tick = 0;
    m_spinner->show();
    m_timer.start();
    m_controls.Enable({IDC_SET_IP, IDC_PLOTTER_IP}, false);
}

void CNetworkSetting::OnTimer() {
    m_tick = m_tick == 3 ? 0 : m_tick + 1;
    m_spinner->setText(kSpinner[m_tick]);
    if (CheckPlotterAddress()) {
        g_bIpChangeRunning = 0;
        EndChange();
        platform::ShowMessage({UiString(kDone).toStdString(), "", platform::MessageButtons::Ok,
                               platform::MessageIcon::Exclamation});
    } else if (g_bIpChangeRunning.load() == 0) {
        EndChange();
    }
}

void CNetworkSetting::EndChange() {
    m_timer.stop();
    SetBroadcast(0);
    m_spinner->hide();
    m_controls.Enable({IDC_SET_IP, IDC_PLOTTER_IP}, true);
}
