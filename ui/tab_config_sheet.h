#pragma once

#include <QString>
#include <QTabWidget>
#include <vector>

// The tab strip of the settings dialog: up to 16 pages, each shown under
// its tab (chosen by mouse or keyboard).
class CTabConfigSheet : public QTabWidget {
    Q_OBJECT
public:
    static constexpr int kMaxPages = 16;

    explicit CTabConfigSheet(QWidget* parent = nullptr);

    // False, with nothing stored, when kMaxPages pages are held already.
    bool AddPage(const QString& title, QWidget* page);
    // Puts every added page under its tab and shows the first.
    void Init();

private:
    struct Page {
        QString title;
        QWidget* page;
    };
    std::vector<Page> m_pages;
};
