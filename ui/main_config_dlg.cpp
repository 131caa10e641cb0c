#include "ui/main_config_dlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <mutex>

#include "core/document.h"
#include "link/command_channel.h"
#include "res/settings_ids.h"
#include "ui/advanced_config_dlg.h"
#include "ui/control_values.h"
#include "ui/main_toolbar.h"
#include "ui/network_setting.h"
#include "ui/others_config_dlg.h"
#include "ui/param_config_dlg.h"
#include "ui/settings_transfer.h"
#include "ui/system_config_dlg.h"
#include "ui/tab_config_sheet.h"
#include "ui/ui_texts.h"

using namespace res;

namespace {

// The tab titles.
constexpr unsigned kSystemTitle = 154;
constexpr unsigned kPlottingTitle = 155;
constexpr unsigned kAdvancedTitle = 156;
constexpr unsigned kOthersTitle = 157;
constexpr unsigned kNetTitle = 169;

// A running change of the plotter's address ends with the dialog.
void StopAddressChange() {
    if (g_bIpChangeRunning.exchange(0) != 0) SetBroadcast(0);
}

}  // namespace

CMainConfigDlg::CMainConfigDlg(CTOLVEXR5DServerDoc& document, QWidget* parent)
    : QDialog(parent), m_document(document) {
    setWindowTitle(UiItemText(IDD_SETTINGS, ITEM_CAPTION));
    m_tabSheet = new CTabConfigSheet(this);
    m_systemPage = new CSystemConfigDlg(m_tabSheet);
    m_plottingPage = new CParamConfigDlg(document, m_tabSheet);
    m_advancedPage = new CAdvancedConfigDlg(document, *m_plottingPage, m_tabSheet);
    m_othersPage = new COthersConfigDlg(m_tabSheet);
    m_networkPage = new CNetworkSetting(m_tabSheet);
    connect(m_plottingPage, &CParamConfigDlg::configurationSaved, this, &CMainConfigDlg::KeepSavedSpeedChoice);

    auto* cancel = new QPushButton(UiItemText(IDD_SETTINGS, IDCANCEL), this);
    connect(cancel, &QPushButton::clicked, this, &CMainConfigDlg::OnBnClickedCancel);
    m_saveButton = new QPushButton(UiItemText(IDD_SETTINGS, IDC_SAVE), this);
    connect(m_saveButton, &QPushButton::clicked, this, &CMainConfigDlg::OnBnClickedSave);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addSpacing(24);
    buttons->addWidget(m_saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabSheet);
    layout->addLayout(buttons);
}

CMainConfigDlg::~CMainConfigDlg() { StopAddressChange(); }

void CMainConfigDlg::showEvent(QShowEvent* event) {
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CMainConfigDlg::OnInitDialog() {
    m_tabSheet->AddPage(UiString(kSystemTitle), m_systemPage);
    m_tabSheet->AddPage(UiString(kPlottingTitle), m_plottingPage);
    m_tabSheet->AddPage(UiString(kAdvancedTitle), m_advancedPage);
    m_tabSheet->AddPage(UiString(kOthersTitle), m_othersPage);
    m_tabSheet->AddPage(UiString(kNetTitle), m_networkPage);
    m_tabSheet->Init();
    ReloadSettings();
    if (m_bReadOnly) DisableForReadOnly();
}

void CMainConfigDlg::DisableForReadOnly() {
    m_systemPage->Controls().Enable({IDC_LINE_WIDTH, IDC_ONE_HEAD, IDC_TWO_HEADS, IDC_THREE_HEADS, IDC_FOUR_HEADS,
                                     IDC_HEAD_OPEN[0], IDC_HEAD_OFFSET[0], IDC_HEAD_OFFSET_CORRECT[0], IDC_HEAD_OPEN[1],
                                     IDC_HEAD_OFFSET[1], IDC_HEAD_OFFSET_CORRECT[1], IDC_HEAD_OPEN[2],
                                     IDC_HEAD_OFFSET[2], IDC_HEAD_OFFSET_CORRECT[2], IDC_HEAD_OPEN[3],
                                     IDC_HEAD_OFFSET[3], IDC_HEAD_OFFSET_CORRECT[3], IDC_NOZZLE_WIDTH, IDC_COMPRESSED},
                                    false);
    m_plottingPage->Controls().Enable({IDC_ORIGIN_POINT, IDC_YSCALE_T, IDC_XSCALE_T, IDC_AUTO_PLOT, IDC_AUTO_DELETE,
                                       IDC_YSCALE_R, IDC_XSCALE_R, IDC_MIRROR, IDC_ROTATE90, IDC_CLOCKWISE,
                                       IDC_COUNTERCLOCKWISE, IDC_LINE_CORRECT},
                                      false);
    m_othersPage->Controls().Enable({IDC_FONT_SIZE, IDC_BROWSE, IDC_CLEAR_LOW, IDC_FAN_MIN, IDC_CLEAR_MIDDLE,
                                     IDC_FAN_MIDDLE, IDC_CLEAR_HEAVY, IDC_FAN_MAX, IDC_CLEAR_HUGE, IDC_PLOT_FILE_NAME},
                                    false);
    m_advancedPage->Controls().Enable({IDC_DPI_PER_METRE, IDC_Y_STEP, IDC_PLOTTING_WIDTH, IDC_LOW_SPEED,
                                       IDC_MIDDLE_SPEED, IDC_HIGH_SPEED, IDC_ENABLE_SPEED, IDC_DATA_FLOW_VOLUME,
                                       IDC_OVERTIME},
                                      false);
    m_saveButton->setEnabled(false);
    m_networkPage->Controls().Enable({IDC_PLOTTER_IP, IDC_SET_IP}, false);
}

void CMainConfigDlg::ReloadSettings() {
    m_document.LoadConfig();
    FillPagesFromSettings();
    KeepSavedSpeedChoice();
}

void CMainConfigDlg::KeepSavedSpeedChoice() {
    std::lock_guard lock(m_document.m_configLock);
    m_savedSpeed = m_document.m_config.UCSPEED;
    m_savedJointCorrection = m_document.m_config.EdLRCrcValue;
}

void CMainConfigDlg::FillPagesFromSettings() {
    ControlValues values;
    {
        std::lock_guard lock(m_document.m_configLock);
        values = FillSettingsPages(m_document.m_config);
    }
    for (CSettingsPage* page : std::initializer_list<CSettingsPage*>{m_systemPage, m_plottingPage, m_othersPage,
                                                                     m_advancedPage, m_networkPage})
        page->ShowValues(values);
}

void CMainConfigDlg::ReadPagesIntoSettings() {
    ControlValues values;
    for (const CSettingsPage* page : std::initializer_list<const CSettingsPage*>{
             m_systemPage, m_plottingPage, m_othersPage, m_advancedPage, m_networkPage})
        page->CollectValues(values);
    std::lock_guard lock(m_document.m_configLock);
    ReadSettingsPages(values, m_document.m_config);
}

void CMainConfigDlg::OnBnClickedSave() {
    ReadPagesIntoSettings();
    m_document.SaveConfig();
    ShowOriginInToolbar(m_document);
    StopAddressChange();
    accept();
}

void CMainConfigDlg::reject() {
    StopAddressChange();
    QDialog::reject();
}

void CMainConfigDlg::done(int result) {
    if (result != QDialog::Accepted && m_initialised) {
        std::lock_guard lock(m_document.m_configLock);
        m_document.m_config.UCSPEED = m_savedSpeed;
        m_document.m_config.EdLRCrcValue = m_savedJointCorrection;
    }
    QDialog::done(result);
}

void CMainConfigDlg::keyPressEvent(QKeyEvent* event) {
    // Enter that no button takes ends the dialog as Cancel does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}
