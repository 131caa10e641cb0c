#pragma once

#include <QAbstractTableModel>
#include <array>
#include <string>
#include <vector>

// The columns of a job row.
enum JobColumn : int {
    COL_TASK_STATUS = 0,
    COL_FILE_NAME = 1,
    COL_PLOTTING_COUNTER = 2,
    COL_SIZE = 3,
    COL_MORE_DETAILS = 4,
    JOB_COLUMN_COUNT = 5,
};

// A job: its five texts are its whole record. Texts are bytes as the program
// and the file system hold them (a file name need not be valid UTF-8).
using JobRow = std::array<std::string, JOB_COLUMN_COUNT>;

// The job list's rows, shown by the list view. The operations are those of a
// list control: count, read and write a cell, insert and delete a row.
class JobRowModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int Count() const { return static_cast<int>(m_rows.size()); }
    // The text of a cell; empty outside the rows.
    std::string Text(int row, int column) const;
    JobRow Row(int row) const;
    // Ignored outside the rows.
    void SetText(int row, int column, const std::string& text);
    // Inserts before row at (clamped into 0..Count()); returns the index.
    int InsertRow(int at, const JobRow& row);
    int AppendRow(const JobRow& row) { return InsertRow(Count(), row); }
    void DeleteRow(int row);
    // The first row whose column holds exactly text, or -1.
    int Find(int column, const std::string& text) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<JobRow> m_rows;
};
