#include "jobs/start_position_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "jobs/file_view.h"
#include "platform/c_numbers.h"
#include "res/resource_ids.h"
#include "ui/ui_texts.h"

namespace {

// The edit's text is read into a buffer of the platform's path length.
constexpr qsizetype kMaxTextLength = 259;

QString Text(unsigned item) { return UiItemText(res::IDD_START_POSITION, item); }

}  // namespace

CStartPositionDlg::CStartPositionDlg(QWidget* parent) : QDialog(parent), m_edit(new QLineEdit(this)) {
    setWindowTitle(Text(res::ITEM_CAPTION));
    m_edit->setObjectName("startPositionEdit");
    m_edit->setMinimumWidth(140);

    auto* field = new QHBoxLayout;
    field->addWidget(new QLabel(Text(res::START_POSITION_LABEL), this));
    field->addWidget(m_edit, 1);
    field->addWidget(new QLabel(Text(res::START_POSITION_UNIT), this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto addButton = [&](unsigned id, const char* name, void (CStartPositionDlg::*handler)()) {
        auto* button = new QPushButton(Text(id), this);
        button->setObjectName(name);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
        return button;
    };
    // Enter in the edit plots.
    addButton(res::IDC_START_PLOT, "plotButton", &CStartPositionDlg::OnBnClickedPlot)->setDefault(true);
    addButton(res::IDC_START_CANCEL, "cancelButton", &CStartPositionDlg::OnBnClickedCancel);
    addButton(res::IDC_START_SET, "setButton", &CStartPositionDlg::OnBnClickedSet);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->addLayout(field);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    // Room for the whole caption beside the title bar's buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 120);
}

void CStartPositionDlg::StoreStartPosition() {
    const float value = platform::ReadDecimalFloat(m_edit->text().left(kMaxTextLength).toStdString());
    if (m_pView != nullptr) m_pView->m_fStartPosition = value;
}

void CStartPositionDlg::OnBnClickedPlot() {
    StoreStartPosition();
    accept();
}

void CStartPositionDlg::OnBnClickedSet() {
    StoreStartPosition();
    if (m_pView != nullptr && m_pView->m_fStartPosition > kLeastStartPosition) m_pView->SetStartPositionAndPreview();
}

void CStartPositionDlg::OnBnClickedCancel() { reject(); }
