#include "ui/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "res/resource_ids.h"
#include "ui/app_icons.h"
#include "ui/ui_texts.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(UiItemText(res::IDD_ABOUTBOX, res::ITEM_CAPTION));

    auto* icon = new QLabel(this);
    icon->setPixmap(MainIcon().pixmap(40, 40));
    auto* version = new QLabel(UiItemText(res::IDD_ABOUTBOX, res::ABOUT_VERSION_TEXT), this);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addWidget(version, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(UiItemText(res::IDD_ABOUTBOX, res::IDOK), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 14);
    layout->addLayout(row);
    layout->addSpacing(18);
    layout->addWidget(buttons, 0, Qt::AlignHCenter);
}
