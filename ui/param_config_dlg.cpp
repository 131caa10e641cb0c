#include "ui/param_config_dlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <mutex>
#include <optional>

#include "core/document.h"
#include "res/settings_ids.h"
#include "ui/control_values.h"
#include "ui/settings_layout.h"
#include "ui/settings_transfer.h"

using namespace res;

CParamConfigDlg::CParamConfigDlg(CTOLVEXR5DServerDoc& document, QWidget* parent)
    : CSettingsPage(IDD_PLOTTING_PAGE, parent), m_document(document) {
    DialogControls& c = m_controls;
    auto* layout = new QVBoxLayout(this);

    QGroupBox* correction = c.Group(PLOTTING_CORRECTION_GROUP);
    auto* scales = new QGridLayout(correction);
    scales->addWidget(c.Static(PLOTTING_L_IDEAL_LABEL), 0, 0);
    scales->addWidget(NarrowEdit(c.Edit(IDC_XSCALE_T)), 0, 1);
    scales->addWidget(c.Static(PLOTTING_L_REAL_LABEL), 0, 2);
    scales->addWidget(NarrowEdit(c.Edit(IDC_XSCALE_R)), 0, 3);
    scales->addWidget(c.Static(PLOTTING_W_IDEAL_LABEL), 1, 0);
    scales->addWidget(NarrowEdit(c.Edit(IDC_YSCALE_T)), 1, 1);
    scales->addWidget(c.Static(PLOTTING_W_REAL_LABEL), 1, 2);
    scales->addWidget(NarrowEdit(c.Edit(IDC_YSCALE_R)), 1, 3);
    scales->setColumnStretch(4, 1);

    auto* origin = new QGridLayout;
    AddEditRow(*origin, 0, c.Static(PLOTTING_ORIGIN_LABEL), c.Edit(IDC_ORIGIN_POINT), c.Static(PLOTTING_MM));
    AddEditRow(*origin, 1, c.Static(PLOTTING_LINE_CORRECT_LABEL), c.Edit(IDC_LINE_CORRECT));
    origin->setColumnStretch(3, 1);

    auto* flags = new QGridLayout;
    flags->addWidget(c.Check(IDC_MIRROR), 0, 0);
    flags->addWidget(c.Check(IDC_AUTO_PLOT), 0, 1);
    flags->addWidget(c.Check(IDC_ROTATE90), 1, 0);
    flags->addWidget(c.Check(IDC_AUTO_DELETE), 1, 1);
    auto* turn = new QHBoxLayout;
    turn->addSpacing(20);
    turn->addWidget(c.Radio(IDC_CLOCKWISE));
    turn->addWidget(c.Radio(IDC_COUNTERCLOCKWISE));
    c.MakeRadioGroup({IDC_CLOCKWISE, IDC_COUNTERCLOCKWISE});
    flags->addLayout(turn, 2, 0);
    flags->setColumnStretch(2, 1);

    QGroupBox* joint = c.Group(PLOTTING_JOINT_GROUP);
    auto* jointLayout = new QHBoxLayout(joint);
    jointLayout->addWidget(NarrowEdit(c.Edit(IDC_JOINT_CORRECTION, DialogControls::EditKind::Digits)));
    jointLayout->addWidget(c.Static(PLOTTING_HPP));
    jointLayout->addSpacing(8);
    jointLayout->addWidget(c.Radio(IDC_INCREASE));
    c.Radio(IDC_DECREASE)->hide();
    c.MakeRadioGroup({IDC_INCREASE, IDC_DECREASE});
    jointLayout->addStretch();
    QPushButton* set = c.Button(IDC_SET_JOINT_CORRECTION);
    jointLayout->addWidget(set);
    connect(set, &QPushButton::clicked, this, &CParamConfigDlg::OnBnClickedSetJointCorrection);

    layout->addWidget(correction);
    layout->addLayout(origin);
    layout->addLayout(flags);
    layout->addWidget(joint);
    layout->addStretch();
}

void CParamConfigDlg::OnBnClickedSetJointCorrection() {
    std::optional<uint8_t> sign;
    if (m_controls.ButtonOf(IDC_INCREASE)->isChecked())
        sign = 1;
    else if (m_controls.ButtonOf(IDC_DECREASE)->isChecked())
        sign = 0;
    const int32_t value = WholeNumber(m_controls.EditOf(IDC_JOINT_CORRECTION)->text().toStdString(), kLongTextLimit);
    {
        std::lock_guard lock(m_document.m_configLock);
        SetJointCorrection(m_document.m_config, sign, value);
    }
    m_document.SaveConfig();
    emit configurationSaved();
}

void CParamConfigDlg::ShowJointCorrection(int32_t value) {
    m_controls.EditOf(IDC_JOINT_CORRECTION)->setText(QString::fromStdString(WholeText(value)));
}
