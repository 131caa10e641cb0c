#include "ui/advanced_config_dlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <mutex>

#include "core/document.h"
#include "res/settings_ids.h"
#include "ui/param_config_dlg.h"
#include "ui/settings_layout.h"
#include "ui/settings_transfer.h"

using namespace res;

CAdvancedConfigDlg::CAdvancedConfigDlg(CTOLVEXR5DServerDoc& document, CParamConfigDlg& plottingPage, QWidget* parent)
    : CSettingsPage(IDD_ADVANCED_PAGE, parent), m_document(document), m_plottingPage(plottingPage) {
    DialogControls& c = m_controls;
    auto* layout = new QVBoxLayout(this);

    auto* values = new QGridLayout;
    AddEditRow(*values, 0, c.Static(ADVANCED_DPI_LABEL), c.Edit(IDC_DPI_PER_METRE));
    AddEditRow(*values, 1, c.Static(ADVANCED_Y_STEP_LABEL), c.Edit(IDC_Y_STEP, DialogControls::EditKind::Digits));
    AddEditRow(*values, 2, c.Static(ADVANCED_WIDTH_LABEL), c.Edit(IDC_PLOTTING_WIDTH), c.Static(ADVANCED_CM));
    values->setColumnStretch(3, 1);

    QGroupBox* speed = c.Group(ADVANCED_SPEED_GROUP);
    auto* speedLayout = new QVBoxLayout(speed);
    speedLayout->addWidget(c.Check(IDC_ENABLE_SPEED));
    auto* radios = new QHBoxLayout;
    for (const unsigned id : {IDC_LOW_SPEED, IDC_MIDDLE_SPEED, IDC_HIGH_SPEED}) radios->addWidget(c.Radio(id));
    radios->addStretch();
    speedLayout->addLayout(radios);
    c.MakeRadioGroup({IDC_LOW_SPEED, IDC_MIDDLE_SPEED, IDC_HIGH_SPEED});
    connect(c.ButtonOf(IDC_LOW_SPEED), &QAbstractButton::clicked, this, &CAdvancedConfigDlg::OnBnClickedLowSpeed);
    connect(c.ButtonOf(IDC_MIDDLE_SPEED), &QAbstractButton::clicked, this, &CAdvancedConfigDlg::OnBnClickedMiddleSpeed);
    connect(c.ButtonOf(IDC_HIGH_SPEED), &QAbstractButton::clicked, this, &CAdvancedConfigDlg::OnBnClickedHighSpeed);

    QGroupBox* usb = c.Group(ADVANCED_USB_GROUP);
    auto* usbLayout = new QGridLayout(usb);
    AddEditRow(*usbLayout, 0, c.Static(ADVANCED_DATA_FLOW_LABEL),
               c.Edit(IDC_DATA_FLOW_VOLUME, DialogControls::EditKind::Digits));
    AddEditRow(*usbLayout, 1, c.Static(ADVANCED_OVERTIME_LABEL), c.Edit(IDC_OVERTIME, DialogControls::EditKind::Digits));
    usb->hide();

    layout->addLayout(values);
    layout->addWidget(speed);
    layout->addWidget(usb);
    layout->addStretch();
}

void CAdvancedConfigDlg::OnSpeedClicked(int32_t speed) {
    const bool speedSettingsTicked = m_controls.ButtonOf(IDC_ENABLE_SPEED)->isChecked();
    int32_t correction = 0;
    {
        std::lock_guard lock(m_document.m_configLock);
        ChooseSpeed(m_document.m_config, speed, speedSettingsTicked);
        correction = m_document.m_config.EdLRCrcValue;
    }
    // Without the speed settings the correction stays as it is, and so does
    // whatever the operator typed into its edit.
    if (speedSettingsTicked) m_plottingPage.ShowJointCorrection(correction);
}
