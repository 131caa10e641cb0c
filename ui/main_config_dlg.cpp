#include "ui/main_config_dlg.h"

CMainConfigDlg::CMainConfigDlg(CTOLVEXR5DServerDoc& document, QWidget* parent)
    : QDialog(parent), m_document(document) {}
