#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>

#include "jobs/buf_file_manager_dlg.h"
#include "jobs/file_view.h"
#include "jobs/start_position_dlg.h"
#include "shots.h"
#include "ui/main_frame.h"

namespace {

// The file dialog lists its folder in the background.
void LetTheFileDialogList() {
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 500) QApplication::processEvents(QEventLoop::AllEvents, 50);
}

}  // namespace

void TakeJobDialogShots(ShotSession& session) {
    CMainFrame& frame = session.MainFrame();
    CFileView& view = *frame.GetFileView();

    CStartPositionDlg start(&frame);
    start.m_pView = &view;
    start.findChild<QLineEdit*>("startPositionEdit")->setText("12.5");
    session.Save(start, "start-position");

    CDlgBufFileManger manager(&frame);
    manager.m_strWorkPath = session.WorkFolder();
    manager.OnInitDialog();
    auto* list = manager.findChild<QTableWidget*>("fileList");
    list->item(0, 0)->setCheckState(Qt::Checked);
    list->item(2, 0)->setCheckState(Qt::Checked);
    session.Save(manager, "file-manager");

    // The Add Files dialog as the command opens it, in the work folder.
    QTimer::singleShot(0, [&session] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        dialog->setDirectory(QString::fromStdString(session.WorkFolder()));
        dialog->resize(760, 460);
        LetTheFileDialogList();
        session.Save(*dialog, "add-files");
        dialog->reject();
    });
    view.OnFileOpen();
}
