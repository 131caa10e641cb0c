#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <future>
#include <thread>

#include "platform/message_box.h"
#include "ui/qt_message_box.h"

namespace {

// Clicks the button of the open message box as soon as one shows.
void ClickWhenShown(QMessageBox::StandardButton button) {
    QTimer::singleShot(10, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return ClickWhenShown(button);
        box->button(button)->click();
    });
}

// The worker's question is shown on the user-interface thread, which goes on
// answering events, while the worker waits for the operator's answer.
TEST(QtMessageBoxes, QuestionFromAnotherThreadIsAskedOnTheUserInterfaceThread) {
    const platform::MessageHandler previous = platform::SetMessageHandler({});
    InstallQtMessageHandler();
    std::promise<platform::MessageAnswer> answered;
    std::thread worker([&] {
        answered.set_value(platform::ShowMessage(
            {"Try again?", "", platform::MessageButtons::YesNo, platform::MessageIcon::Question}));
    });
    ClickWhenShown(QMessageBox::Yes);
    auto answer = answered.get_future();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (answer.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready &&
           std::chrono::steady_clock::now() < deadline) {
        QApplication::processEvents();
    }
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(0)), std::future_status::ready) << "the question was never shown";
    worker.join();
    EXPECT_EQ(answer.get(), platform::MessageAnswer::Yes);

    ClickWhenShown(QMessageBox::Ok);
    EXPECT_EQ(platform::ShowMessage({"Done", "", platform::MessageButtons::Ok, platform::MessageIcon::None}),
              platform::MessageAnswer::Ok);
    platform::SetMessageHandler(previous);
}

}  // namespace
