#include "ui/others_config_dlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "res/settings_ids.h"
#include "ui/control_values.h"
#include "ui/settings_layout.h"
#include "ui/ui_texts.h"
#include "ui/work_folder_choice.h"

using namespace res;

COthersConfigDlg::COthersConfigDlg(QWidget* parent) : CSettingsPage(IDD_OTHERS_PAGE, parent) {
    DialogControls& c = m_controls;
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(c.Static(OTHERS_FOLDER_LABEL));
    auto* folder = new QHBoxLayout;
    c.Edit(IDC_WORK_FOLDER)->setEnabled(false);
    folder->addWidget(c.EditOf(IDC_WORK_FOLDER), 1);
    QPushButton* browse = c.Button(IDC_BROWSE);
    folder->addWidget(browse);
    connect(browse, &QPushButton::clicked, this, &COthersConfigDlg::OnBnClickedBrowse);
    layout->addLayout(folder);

    QGroupBox* font = c.Group(OTHERS_FONT_GROUP);
    auto* fontLayout = new QGridLayout(font);
    AddEditRow(*fontLayout, 0, c.Static(OTHERS_FONT_SIZE_LABEL), c.Edit(IDC_FONT_SIZE));
    fontLayout->setColumnStretch(3, 1);
    layout->addWidget(font);

    const auto radioGroup = [&](unsigned title, std::initializer_list<unsigned> ids) {
        QGroupBox* group = c.Group(title);
        auto* row = new QHBoxLayout(group);
        for (const unsigned id : ids) row->addWidget(c.Radio(id));
        row->addStretch();
        c.MakeRadioGroup(ids);
        layout->addWidget(group);
    };
    radioGroup(OTHERS_CLEAR_GROUP, {IDC_CLEAR_LOW, IDC_CLEAR_MIDDLE, IDC_CLEAR_HEAVY, IDC_CLEAR_HUGE});
    radioGroup(OTHERS_FANS_GROUP, {IDC_FAN_MIN, IDC_FAN_MIDDLE, IDC_FAN_MAX});

    layout->addWidget(c.Check(IDC_PLOT_FILE_NAME));
    layout->addStretch();
}

void COthersConfigDlg::ShowValues(const ControlValues& values) {
    CSettingsPage::ShowValues(values);
    ShowWorkFolder(values.Text(IDC_WORK_FOLDER));
}

void COthersConfigDlg::CollectValues(ControlValues& values) const {
    CSettingsPage::CollectValues(values);
    values.texts[IDC_WORK_FOLDER] = m_workFolder;
}

void COthersConfigDlg::OnBnClickedBrowse() {
    if (auto folder = ChooseWorkFolder(this)) ShowWorkFolder(std::move(*folder));
}

void COthersConfigDlg::ShowWorkFolder(std::string folder) {
    m_workFolder = std::move(folder);
    m_controls.EditOf(IDC_WORK_FOLDER)->setText(DisplayText(m_workFolder));
}
