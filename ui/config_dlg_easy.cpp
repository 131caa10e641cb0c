#include "ui/config_dlg_easy.h"

CConfigDlgEasy::CConfigDlgEasy(CTOLVEXR5DServerDoc& document, QWidget* parent)
    : QDialog(parent), m_document(document) {}
