#include "ui/system_config_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "res/settings_ids.h"
#include "ui/settings_layout.h"

using namespace res;

CSystemConfigDlg::CSystemConfigDlg(QWidget* parent) : CSettingsPage(IDD_SYSTEM_PAGE, parent) {
    DialogControls& c = m_controls;
    auto* layout = new QVBoxLayout(this);

    auto* lineWidth = new QGridLayout;
    AddEditRow(*lineWidth, 0, c.Static(SYSTEM_LINE_WIDTH_LABEL), c.Edit(IDC_LINE_WIDTH, DialogControls::EditKind::Digits),
               c.Static(SYSTEM_HPP));
    lineWidth->setColumnStretch(3, 1);

    QGroupBox* nozzles = c.Group(SYSTEM_NOZZLE_GROUP);
    auto* nozzleLayout = new QVBoxLayout(nozzles);
    auto* headCount = new QHBoxLayout;
    for (const unsigned id : {IDC_ONE_HEAD, IDC_TWO_HEADS, IDC_THREE_HEADS, IDC_FOUR_HEADS}) headCount->addWidget(c.Radio(id));
    headCount->addStretch();
    c.MakeRadioGroup({IDC_ONE_HEAD, IDC_TWO_HEADS, IDC_THREE_HEADS, IDC_FOUR_HEADS});
    nozzleLayout->addLayout(headCount);

    auto* rows = new QGridLayout;
    rows->addWidget(c.Static(SYSTEM_OFFSET_LABEL), 0, 1, 1, 2);
    rows->addWidget(c.Static(SYSTEM_OFFSET_CORRECT_LABEL), 0, 3, 1, 2);
    for (int s = 0; s < 4; ++s) {
        rows->addWidget(c.Check(IDC_HEAD_OPEN[s]), s + 1, 0);
        rows->addWidget(NarrowEdit(c.Edit(IDC_HEAD_OFFSET[s])), s + 1, 1);
        rows->addWidget(c.Static(SYSTEM_HPP), s + 1, 2);
        rows->addWidget(NarrowEdit(c.Edit(IDC_HEAD_OFFSET_CORRECT[s])), s + 1, 3);
        rows->addWidget(c.Static(SYSTEM_HPP), s + 1, 4);
    }
    rows->setColumnStretch(5, 1);
    nozzleLayout->addLayout(rows);

    auto* nozzleWidth = new QGridLayout;
    AddEditRow(*nozzleWidth, 0, c.Static(SYSTEM_NOZZLE_WIDTH_LABEL),
               c.Edit(IDC_NOZZLE_WIDTH, DialogControls::EditKind::Digits), c.Static(SYSTEM_HPP));
    nozzleWidth->setColumnStretch(3, 1);
    c.Check(IDC_COMPRESSED)->hide();

    layout->addLayout(lineWidth);
    layout->addWidget(nozzles);
    layout->addLayout(nozzleWidth);
    layout->addStretch();
}
