#include "ui/qt_message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/message_box.h"
#include "ui/ui_texts.h"
#include "ui/ui_thread_calls.h"

namespace {

constexpr unsigned kFrameworkCaption = 57344;

QMessageBox::Icon BoxIcon(platform::MessageIcon icon) {
    switch (icon) {
        case platform::MessageIcon::Information:
            return QMessageBox::Information;
        case platform::MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case platform::MessageIcon::Error:
            return QMessageBox::Critical;
        case platform::MessageIcon::Question:
            return QMessageBox::Question;
        case platform::MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

platform::MessageAnswer ShowOnThisThread(const platform::MessageRequest& request) {
    const QString caption =
        request.caption.empty() ? UiString(kFrameworkCaption) : QString::fromStdString(request.caption);
    const bool question = request.buttons == platform::MessageButtons::YesNo;
    QMessageBox box(BoxIcon(request.icon), caption, QString::fromStdString(request.text),
                    question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, QApplication::activeWindow());
    const int answer = box.exec();
    if (!question) return platform::MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
}

}  // namespace

void InstallQtMessageHandler() {
    UiThreadCalls& calls = UiThreadCalls::Instance();
    platform::SetMessageHandler([&calls](const platform::MessageRequest& request) {
        platform::MessageAnswer answer = platform::MessageAnswer::No;
        calls.Run([&] { answer = ShowOnThisThread(request); });
        return answer;
    });
}
