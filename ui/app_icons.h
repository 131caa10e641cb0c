#pragma once

#include <QIcon>

// The program's icons, drawn as SVG files in the resources.
QIcon MainIcon();
// The toolbar picture of a command; a null icon for a command without one.
QIcon CommandIcon(unsigned id);
