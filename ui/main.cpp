#include <QApplication>
#include <clocale>

#include "ui/application.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt took the user's locale; the C library's number formats stay "C".
    std::setlocale(LC_NUMERIC, "C");
    CTOLVEXR5DServerApp theApp;
    return theApp.Run();
}
