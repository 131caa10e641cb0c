#include "jobs/buf_file_manager_dlg.h"

#include <unistd.h>

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <unordered_set>

#include "jobs/work_folder.h"
#include "res/resource_ids.h"
#include "ui/ui_texts.h"

namespace {

// The scan's patterns without its lower-case "*.prt".
constexpr const char* kFileManagerPatterns[] = {"*.plt", "*.hpg", "*.pla", "*.hpgl", "*.PRT", "*.pmd"};

enum Column : int { COL_SELECT = 0, COL_PATH = 1 };
constexpr int kSelectWidth = 60;
constexpr int kPathWidth = 300;

QString Text(unsigned item) { return UiItemText(res::IDD_BUF_FILE_MANAGER, item); }

}  // namespace

CDlgBufFileManger::CDlgBufFileManger(QWidget* parent) : QDialog(parent), m_list(new QTableWidget(0, 2, this)) {
    setWindowTitle(Text(res::ITEM_CAPTION));
    m_list->setObjectName("fileList");
    m_list->setHorizontalHeaderLabels({"Select", "File Name"});
    m_list->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list->horizontalHeader()->setHighlightSections(false);
    m_list->setColumnWidth(COL_SELECT, kSelectWidth);
    m_list->setColumnWidth(COL_PATH, kPathWidth);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->setShowGrid(true);
    m_list->setMinimumSize(kSelectWidth + kPathWidth + 160, 260);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &CDlgBufFileManger::OnNMDblclkList);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [&](unsigned id, const char* name, void (CDlgBufFileManger::*handler)()) {
        auto* button = new QPushButton(Text(id), this);
        button->setObjectName(name);
        // No button answers Enter: the dialog ends only by Plot, the close
        // box or Escape.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    addButton(res::IDC_BUF_SELECT_ALL, "selectAllButton", &CDlgBufFileManger::OnBnClickedSelectAll);
    addButton(res::IDC_BUF_UNSELECT, "unselectButton", &CDlgBufFileManger::OnBnClickedUnselect);
    addButton(res::IDC_BUF_DELETE_ALL, "deleteAllButton", &CDlgBufFileManger::OnBnClickedDeleteAll);
    addButton(res::IDC_BUF_DELETE, "deleteButton", &CDlgBufFileManger::OnBnClickedDelete);
    buttons->addStretch(1);
    addButton(res::IDC_BUF_PLOT, "plotButton", &CDlgBufFileManger::OnBnClickedPlot);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

int CDlgBufFileManger::exec() {
    if (!OnInitDialog()) return result();
    return QDialog::exec();
}

bool CDlgBufFileManger::OnInitDialog() {
    if (m_strWorkPath.empty()) return true;
    const std::string folderPath = WorkFolderPath(m_strWorkPath);
    // A name that two patterns find is listed once.
    std::unordered_set<std::string> listed;
    for (int row = 0; row < m_list->rowCount(); ++row) listed.insert(Path(row));
    for (const std::string& name : FindPlotFiles(folderPath, kFileManagerPatterns)) {
        std::string path = folderPath + name;
        if (listed.insert(path).second) AppendRow(path);
    }
    if (m_list->rowCount() > 0) return true;
    setResult(Accepted);
    return false;
}

void CDlgBufFileManger::AppendRow(const std::string& path) {
    const int row = m_list->rowCount();
    m_list->insertRow(row);
    auto* select = new QTableWidgetItem;
    select->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    select->setCheckState(Qt::Unchecked);
    m_list->setItem(row, COL_SELECT, select);
    auto* name = new QTableWidgetItem(DisplayText(path));
    name->setData(Qt::UserRole, QByteArray::fromStdString(path));
    name->setToolTip(name->text());
    m_list->setItem(row, COL_PATH, name);
}

std::string CDlgBufFileManger::Path(int row) const {
    return m_list->item(row, COL_PATH)->data(Qt::UserRole).toByteArray().toStdString();
}

bool CDlgBufFileManger::IsChecked(int row) const { return m_list->item(row, COL_SELECT)->checkState() == Qt::Checked; }

void CDlgBufFileManger::SetAllChecked(bool checked) {
    for (int row = 0; row < m_list->rowCount(); ++row) {
        m_list->item(row, COL_SELECT)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
}

void CDlgBufFileManger::OnBnClickedSelectAll() { SetAllChecked(true); }

void CDlgBufFileManger::OnBnClickedUnselect() { SetAllChecked(false); }

void CDlgBufFileManger::OnNMDblclkList(const QModelIndex& cell) {
    if (!cell.isValid()) return;
    QTableWidgetItem* select = m_list->item(cell.row(), COL_SELECT);
    select->setCheckState(select->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void CDlgBufFileManger::OnBnClickedDeleteAll() {
    while (m_list->rowCount() > 0) {
        unlink(Path(0).c_str());
        m_list->removeRow(0);
    }
}

void CDlgBufFileManger::OnBnClickedDelete() {
    for (int row = 0; row < m_list->rowCount();) {
        if (IsChecked(row)) {
            unlink(Path(row).c_str());
            m_list->removeRow(row);
        } else {
            ++row;
        }
    }
}

void CDlgBufFileManger::CollectUncheckedFiles() {
    m_arrFiles.clear();
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (!IsChecked(row)) m_arrFiles.push_back(Path(row));
    }
}

void CDlgBufFileManger::OnBnClickedPlot() {
    CollectUncheckedFiles();
    accept();
}

void CDlgBufFileManger::closeEvent(QCloseEvent* event) {
    CollectUncheckedFiles();
    done(Accepted);
    event->accept();
}
