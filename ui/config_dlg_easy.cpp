#include "ui/config_dlg_easy.h"

#include <QCheckBox>
#include <QFile>
#include <QRadioButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <mutex>

#include "core/document.h"
#include "platform/c_numbers.h"
#include "res/settings_ids.h"
#include "ui/common_settings_transfer.h"
#include "ui/control_values.h"
#include "ui/main_toolbar.h"
#include "ui/settings_layout.h"
#include "ui/settings_transfer.h"
#include "ui/ui_texts.h"
#include "ui/work_folder_choice.h"

using namespace res;

CConfigDlgEasy::CConfigDlgEasy(CTOLVEXR5DServerDoc& document, QWidget* parent)
    : QDialog(parent), m_document(document), m_controls(*this, IDD_COMMON_SETTINGS) {
    DialogControls& c = m_controls;
    setWindowTitle(UiItemText(IDD_COMMON_SETTINGS, ITEM_CAPTION));

    QGroupBox* boxes = c.Group(EASY_BOXES_GROUP);
    auto* boxGrid = new QGridLayout(boxes);
    for (int box = 0; box < 4; ++box) {
        QGroupBox* group = c.Group(EASY_BOX_GROUP[box]);
        auto* row = new QHBoxLayout(group);
        row->addWidget(c.Static(EASY_POSITION_LABEL));
        row->addWidget(NarrowEdit(c.Edit(IDC_BOX_POSITION[box], DialogControls::EditKind::ReadOnly)));
        QPushButton* plus = c.Button(IDC_BOX_PLUS[box]);
        QPushButton* minus = c.Button(IDC_BOX_MINUS[box]);
        for (QPushButton* button : {plus, minus}) button->setFixedWidth(button->fontMetrics().horizontalAdvance("+") + 24);
        connect(plus, &QPushButton::clicked, this, [this, box] { OnBnClickedBoxPlus(box); });
        connect(minus, &QPushButton::clicked, this, [this, box] { OnBnClickedBoxMinus(box); });
        row->addWidget(plus);
        row->addWidget(minus);
        row->addStretch();
        boxGrid->addWidget(group, box / 2, box % 2);
    }

    QGroupBox* paging = c.Group(EASY_PAGING_GROUP);
    auto* pagingGrid = new QGridLayout(paging);
    AddEditRow(*pagingGrid, 0, c.Static(EASY_PAGE_WIDTH_LABEL), c.Edit(IDC_PAGE_WIDTH));
    AddEditRow(*pagingGrid, 1, c.Static(EASY_LINE_WIDTH_LABEL), c.Edit(IDC_EASY_LINE_WIDTH));
    AddEditRow(*pagingGrid, 2, c.Static(EASY_ORIGIN_LABEL), c.Edit(IDC_EASY_ORIGIN_POINT), c.Static(EASY_MM));
    pagingGrid->addWidget(c.Static(EASY_DIRECTORY_LABEL), 3, 0);
    auto* folder = new QHBoxLayout;
    folder->addWidget(c.Edit(IDC_PLOTTING_DIRECTORY), 1);
    QPushButton* browse = c.Button(IDC_CHOOSE_DIRECTORY);
    connect(browse, &QPushButton::clicked, this, &CConfigDlgEasy::OnBnClickedBrowse);
    folder->addWidget(browse);
    pagingGrid->addLayout(folder, 3, 1, 1, 3);
    pagingGrid->setColumnStretch(3, 1);

    QGroupBox* joint = c.Group(EASY_JOINT_GROUP);
    auto* jointRow = new QHBoxLayout(joint);
    jointRow->addWidget(NarrowEdit(c.Edit(IDC_EASY_JOINT_CORRECTION, DialogControls::EditKind::Digits)));
    jointRow->addWidget(c.Static(EASY_HPP));
    jointRow->addStretch();
    QPushButton* set = c.Button(IDC_EASY_SET_JOINT_CORRECTION);
    connect(set, &QPushButton::clicked, this, &CConfigDlgEasy::OnBnClickedSetJointCorrection);
    jointRow->addWidget(set);

    auto* flags = new QGridLayout;
    flags->addWidget(c.Check(IDC_EASY_AUTO_PLOT), 0, 0);
    flags->addWidget(c.Check(IDC_EASY_AUTO_DELETE), 0, 1);
    flags->addWidget(c.Check(IDC_EASY_MIRROR), 0, 2);
    flags->addWidget(c.Check(IDC_EASY_ROTATE90), 1, 0);
    flags->addWidget(c.Radio(IDC_EASY_CLOCKWISE), 1, 1);
    flags->addWidget(c.Radio(IDC_EASY_COUNTERCLOCKWISE), 1, 2);
    c.MakeRadioGroup({IDC_EASY_CLOCKWISE, IDC_EASY_COUNTERCLOCKWISE});
    flags->setColumnStretch(3, 1);

    QPushButton* save = c.Button(IDC_SAVE_AND_EXIT);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &CConfigDlgEasy::OnBnClickedSaveAndExit);
    QPushButton* cancel = c.Button(IDCANCEL);
    connect(cancel, &QPushButton::clicked, this, &CConfigDlgEasy::OnBnClickedCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(boxes);
    layout->addWidget(paging);
    layout->addWidget(joint);
    layout->addLayout(flags);
    layout->addLayout(buttons);
}

void CConfigDlgEasy::showEvent(QShowEvent* event) {
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CConfigDlgEasy::OnInitDialog() {
    TakeOverToolbarOrigin();
    UpdateControls();
    if (m_bPlotting == 1) {
        m_controls.Enable({IDC_PAGE_WIDTH, IDC_EASY_LINE_WIDTH, IDC_SAVE_AND_EXIT, IDC_PLOTTING_DIRECTORY,
                           IDC_CHOOSE_DIRECTORY, IDC_EASY_ORIGIN_POINT, IDC_EASY_MIRROR, IDC_EASY_AUTO_PLOT,
                           IDC_EASY_AUTO_DELETE, IDC_EASY_ROTATE90, IDC_EASY_CLOCKWISE, IDC_EASY_COUNTERCLOCKWISE},
                          false);
    }
    EnableInkBoxes();
}

void CConfigDlgEasy::TakeOverToolbarOrigin() {
    if (g_wndMainToolBar != nullptr && g_wndMainToolBar->m_wndOriginEdit != nullptr) {
        g_wndMainToolBar->TakeOverOrigin(m_document);
    }
}

void CConfigDlgEasy::EnableInkBoxes() {
    for (int box = 0; box < 4; ++box)
        m_controls.Enable({IDC_BOX_POSITION[box], IDC_BOX_PLUS[box], IDC_BOX_MINUS[box]}, false);
    if (m_bPlotting != 0) return;
    const PlotterConfig& config = m_document.m_config;
    const auto movable = MovableInkBoxes(config.JetPrintHead, config.JetPrintHeadOpenStatus);
    for (int box = 0; box < 4; ++box)
        if (movable[box]) m_controls.Enable({IDC_BOX_POSITION[box], IDC_BOX_PLUS[box], IDC_BOX_MINUS[box]}, true);
}

void CConfigDlgEasy::UpdateControls() {
    ControlValues values;
    {
        std::lock_guard lock(m_document.m_configLock);
        values = FillCommonSettings(m_document.m_config);
    }
    m_controls.Show(values);
    ShowWorkFolder(values.Text(IDC_PLOTTING_DIRECTORY));
}

void CConfigDlgEasy::MoveBox(int box, int32_t step) {
    int32_t positions[4] = {};
    {
        std::lock_guard lock(m_document.m_configLock);
        MoveInkBox(m_document.m_config, box, step);
        for (int b = 0; b < 4; ++b) positions[b] = m_document.m_config.JetPrintHeadValueX[2 * b];
    }
    // Only the positions: the other edits keep what the operator typed.
    for (int b = 0; b < 4; ++b)
        m_controls.EditOf(IDC_BOX_POSITION[b])->setText(QString::fromStdString(WholeText(positions[b])));
}

void CConfigDlgEasy::OnBnClickedBoxPlus(int box) { MoveBox(box, +1); }

void CConfigDlgEasy::OnBnClickedBoxMinus(int box) { MoveBox(box, -1); }

void CConfigDlgEasy::OnBnClickedSaveAndExit() {
    ControlValues values;
    m_controls.Collect(values);
    values.texts[IDC_PLOTTING_DIRECTORY] = WorkFolderText();
    // The dialog stays open, nothing stored, until the folder fits.
    if (!KeepableWorkFolder(values.Text(IDC_PLOTTING_DIRECTORY))) {
        m_controls.EditOf(IDC_PLOTTING_DIRECTORY)->setFocus();
        return;
    }
    {
        std::lock_guard lock(m_document.m_configLock);
        ReadCommonSettings(values, m_document.m_config);
    }
    m_document.SaveConfig();
    ShowOriginInToolbar(m_document);
    accept();
}

void CConfigDlgEasy::OnBnClickedSetJointCorrection() {
    const int32_t value =
        WholeNumber(m_controls.EditOf(IDC_EASY_JOINT_CORRECTION)->text().toStdString(), kLongTextLimit);
    {
        std::lock_guard lock(m_document.m_configLock);
        SetJointCorrection(m_document.m_config, 1, value);
    }
    m_document.SaveConfig();
}

void CConfigDlgEasy::OnBnClickedBrowse() {
    if (auto folder = ChooseWorkFolder(this)) ShowWorkFolder(std::move(*folder));
}

void CConfigDlgEasy::reject() {
    m_document.LoadConfig();
    QDialog::reject();
}

void CConfigDlgEasy::ShowWorkFolder(std::string folder) {
    m_workFolder = std::move(folder);
    m_controls.EditOf(IDC_PLOTTING_DIRECTORY)->setText(DisplayText(m_workFolder));
}

std::string CConfigDlgEasy::WorkFolderText() const {
    const QString shown = m_controls.EditOf(IDC_PLOTTING_DIRECTORY)->text();
    return shown == DisplayText(m_workFolder) ? m_workFolder : QFile::encodeName(shown).toStdString();
}
