#pragma once

// Ids of the program's resources, commands and controls.
namespace res {

// Resources.
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDR_MAINFRAME = 128;  // main menu, accelerators, toolbar, main icon
constexpr unsigned IDR_JOB_CONTEXT_MENU = 130;

// Commands.
constexpr unsigned ID_ZOOM_OUT = 121;
constexpr unsigned ID_PLOT = 32771;
constexpr unsigned ID_ABORT = 32772;
constexpr unsigned ID_PREVIEW = 32773;
constexpr unsigned ID_SECT_PREVIEW = 32774;
constexpr unsigned ID_FINAL_VIEW = 32775;
constexpr unsigned ID_MOVE_UP = 32776;
constexpr unsigned ID_MOVE_DOWN = 32777;
constexpr unsigned ID_ZOOM_100 = 32778;
constexpr unsigned ID_ZOOM_50 = 32781;
constexpr unsigned ID_FACTORY_SETTINGS = 32784;
constexpr unsigned ID_ADD_ONE = 32785;
constexpr unsigned ID_SUBTRACT_ONE = 32786;
constexpr unsigned ID_ZOOM_IN = 32808;
constexpr unsigned ID_DELETE_FILE = 32814;
constexpr unsigned ID_PLOT_PREVIEW = 32816;
constexpr unsigned ID_USER_SETTINGS = 32824;
constexpr unsigned ID_DISPLAY_ALL = 32825;
constexpr unsigned ID_MOVE_TO_FIRST = 32827;
constexpr unsigned ID_MANUAL_PLOT = 32828;
constexpr unsigned ID_ORIGIN_EDIT = 32829;
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;

// Standard dialog buttons.
constexpr unsigned IDOK = 1;
constexpr unsigned IDCANCEL = 2;

// Item ids of texts that have no command or control id: a dialog's caption,
// a menu's popups by their place, a template's statics by their place.
constexpr unsigned ITEM_CAPTION = 0;
constexpr unsigned ItemPopup(unsigned place) { return place; }
constexpr unsigned ItemStatic(unsigned place) { return 0xF000 + place; }

// Popups of the main menu.
constexpr unsigned POPUP_PRINT = ItemPopup(1);
constexpr unsigned POPUP_VIEW = ItemPopup(2);
constexpr unsigned POPUP_DISPLAY_SCALE = ItemPopup(3);
constexpr unsigned POPUP_SETTINGS = ItemPopup(4);
constexpr unsigned POPUP_HELP = ItemPopup(5);
// The one popup of the job list's context menu.
constexpr unsigned POPUP_OPERATIONS = ItemPopup(1);
// The version text of the About box.
constexpr unsigned ABOUT_VERSION_TEXT = ItemStatic(1);

// The start-position dialog: template, controls and its two statics.
constexpr unsigned IDD_START_POSITION = 149;
constexpr unsigned IDC_START_POSITION_EDIT = 1090;
constexpr unsigned IDC_START_PLOT = 1137;
constexpr unsigned IDC_START_CANCEL = 1138;
constexpr unsigned IDC_START_SET = 1139;
constexpr unsigned START_POSITION_LABEL = ItemStatic(1);
constexpr unsigned START_POSITION_UNIT = ItemStatic(2);

// The work-folder file manager: template and controls.
constexpr unsigned IDD_BUF_FILE_MANAGER = 146;
constexpr unsigned IDC_BUF_FILE_LIST = 11221;
constexpr unsigned IDC_BUF_DELETE_ALL = 1123;
constexpr unsigned IDC_BUF_DELETE = 1124;
constexpr unsigned IDC_BUF_SELECT_ALL = 1125;
constexpr unsigned IDC_BUF_UNSELECT = 1126;
constexpr unsigned IDC_BUF_PLOT = 1127;

}  // namespace res
