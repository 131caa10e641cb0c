#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Acts on the next modal dialog as soon as it shows: f gets it as a Dialog.
// Another modal widget is closed with a test failure, so no test hangs.
template <typename Dialog, typename F>
void OnNextModal(F f) {
    QTimer::singleShot(0, [f] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        if (dialog == nullptr) {
            ADD_FAILURE() << "the expected dialog is not the active modal widget";
            if (modal != nullptr) modal->close();
            return;
        }
        f(*dialog);
    });
}
