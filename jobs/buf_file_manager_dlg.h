#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QModelIndex;
class QTableWidget;

// The start-up file manager: the plot files left in the work folder, each
// with a check box. Checked files are to plot now and stay in the folder for
// the first scan; the dialog returns the unchecked ones, which the job list
// holds. Files can be deleted from here.
class CDlgBufFileManger : public QDialog {
    Q_OBJECT
public:
    explicit CDlgBufFileManger(QWidget* parent = nullptr);

    // Fills the list first; ends with OK at once, without showing, when the
    // work path names a folder without plot files.
    int exec() override;

    // Lists the work folder's plot files; false when the dialog has ended
    // with OK because there are none.
    bool OnInitDialog();
    void OnBnClickedSelectAll();
    void OnBnClickedUnselect();
    void OnBnClickedDeleteAll();
    void OnBnClickedDelete();
    void OnBnClickedPlot();
    // The double-click on a row toggles its check box.
    void OnNMDblclkList(const QModelIndex& cell);

    // Result: the paths of the unchecked rows, in list order.
    std::vector<std::string> m_arrFiles;
    // Input: the work folder (WORKPATH).
    std::string m_strWorkPath;

protected:
    // The close box: the result of Plot, and OK.
    void closeEvent(QCloseEvent* event) override;

private:
    bool IsChecked(int row) const;
    void SetAllChecked(bool checked);
    std::string Path(int row) const;
    void AppendRow(const std::string& path);
    void CollectUncheckedFiles();

    QTableWidget* m_list;
};
