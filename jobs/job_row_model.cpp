#include "jobs/job_row_model.h"

#include <algorithm>

#include "ui/ui_texts.h"

namespace {

// Titles of the five columns, in the string table.
constexpr unsigned kColumnTitles[JOB_COLUMN_COUNT] = {132, 133, 134, 135, 136};

bool IsRow(int row, int count) { return row >= 0 && row < count; }
bool IsColumn(int column) { return column >= 0 && column < JOB_COLUMN_COUNT; }

}  // namespace

std::string JobRowModel::Text(int row, int column) const {
    return IsRow(row, Count()) && IsColumn(column) ? m_rows[row][column] : std::string();
}

JobRow JobRowModel::Row(int row) const { return IsRow(row, Count()) ? m_rows[row] : JobRow{}; }

void JobRowModel::SetText(int row, int column, const std::string& text) {
    if (!IsRow(row, Count()) || !IsColumn(column) || m_rows[row][column] == text) return;
    m_rows[row][column] = text;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

int JobRowModel::InsertRow(int at, const JobRow& row) {
    at = std::clamp(at, 0, Count());
    beginInsertRows({}, at, at);
    m_rows.insert(m_rows.begin() + at, row);
    endInsertRows();
    return at;
}

void JobRowModel::DeleteRow(int row) {
    if (!IsRow(row, Count())) return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

int JobRowModel::Find(int column, const std::string& text) const {
    for (int row = 0; row < Count(); ++row) {
        if (m_rows[row][column] == text) return row;
    }
    return -1;
}

int JobRowModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }

int JobRowModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : JOB_COLUMN_COUNT; }

QVariant JobRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !IsRow(index.row(), Count()) || !IsColumn(index.column())) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    return DisplayText(m_rows[index.row()][index.column()]);
}

QVariant JobRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !IsColumn(section)) return {};
    if (role == Qt::DisplayRole) return UiString(kColumnTitles[section]);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}
