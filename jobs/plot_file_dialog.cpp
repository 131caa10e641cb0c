#include "jobs/plot_file_dialog.h"

#include <QFile>
#include <QFileDialog>

#include "platform/string_table.h"

namespace {

constexpr unsigned kPlotFilesFilter = 129;

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns) pattern = pattern.trimmed();
        filters.append(parts[i] + " (" + patterns.join(' ') + ")");
    }
    return filters;
}

std::vector<std::string> ChoosePlotFiles(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName("plotFileDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // The description already names the patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(QtNameFilters(platform::LoadString(kPlotFilesFilter)));
    std::vector<std::string> paths;
    if (dialog.exec() != QDialog::Accepted) return paths;
    for (const QString& file : dialog.selectedFiles()) paths.push_back(QFile::encodeName(file).toStdString());
    return paths;
}
