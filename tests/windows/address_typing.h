#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string_view>

#include "ui/ip_address_edit.h"

// Keys typed one by one into whichever widget has the focus, as a keyboard
// sends them: '\b' is Backspace, '\t' Tab, '<' Left and '>' Right.
inline void TypeIntoFocus(std::string_view keys) {
    for (const char key : keys) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << "no field has the focus";
        switch (key) {
            case '<': QTest::keyClick(focus, Qt::Key_Left); break;
            case '>': QTest::keyClick(focus, Qt::Key_Right); break;
            default: QTest::keyClick(focus, key); break;
        }
    }
}

// Clicks into a field of the address control (the first by default) and
// types keys, as an operator replaces an address.
inline void TypeAddress(CIpAddressEdit& control, std::string_view keys, int field = 0) {
    QTest::mouseClick(control.Field(field), Qt::LeftButton);
    TypeIntoFocus(keys);
}

struct TypedAddress {
    const char* old;
    const char* keys;
    const char* address;
};

// Addresses typed over old ones, with and without a "." after a field of
// three digits, and by Tab.
inline constexpr TypedAddress kTypedAddresses[] = {
    {"127.0.0.5", "192.168.1.200", "192.168.1.200"},
    {"", "192.168.1.200", "192.168.1.200"},
    {"10.20.30.40", "172.16.254.1", "172.16.254.1"},
    {"1.2.3.4", "255.255.255.0", "255.255.255.0"},
    {"192.168.0.200", "192.168.0.201", "192.168.0.201"},
    {"127.0.0.5", "192168001200", "192.168.1.200"},
    {"", "10\t0\t0\t7", "10.0.0.7"},
    {"10.20.30.40", "1.2", "1.2.30.40"},
};
