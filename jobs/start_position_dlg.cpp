#include "jobs/start_position_dlg.h"

CStartPositionDlg::CStartPositionDlg(QWidget* parent) : QDialog(parent) {}
