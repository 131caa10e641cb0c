#pragma once

#include <QTimer>
#include <atomic>
#include <cstdint>
#include <string>

#include "ui/settings_page.h"

class CIpAddressEdit;
class QLabel;

// 1 while the "Net" page is changing the plotter's address; cleared by the
// page when the plotter confirms and by the settings dialog when it closes.
extern std::atomic<uint8_t> g_bIpChangeRunning;

// The "Net" page: the plotter's address, and this computer's addresses as a
// hint. Its set button tells the plotter a new address: the address goes
// into the configuration (not into "config.ini"), requests are broadcast,
// and every 100 ms the page asks the plotter until it answers with that
// address, turning a spinner meanwhile.
class CNetworkSetting : public CSettingsPage {
    Q_OBJECT
public:
    explicit CNetworkSetting(QWidget* parent = nullptr);

    void ShowValues(const ControlValues& values) override;
    void CollectValues(ControlValues& values) const override;

    CIpAddressEdit& AddressControl() const { return *m_address; }
    void OnBnClickedSetIp();
    // One tick of the change.
    void OnTimer();
    // Double-click on host text index (0 to 5): the suggested plotter address.
    void OnStnDblclkHostIp(int index);
    void FillHostAddresses();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EndChange();

    CIpAddressEdit* m_address = nullptr;
    QLabel* m_spinner = nullptr;
    QLabel* m_hosts[6] = {};
    QTimer m_timer;
    int m_tick = 0;
    // The address the control showed when the page was filled.
    std::string m_shownAddress;
};
