#pragma once

#include "res/resource_ids.h"

// Ids of the settings dialog, its pages and the common settings dialog.
namespace res {

// Dialog templates.
constexpr unsigned IDD_COMMON_SETTINGS = 144;
constexpr unsigned IDD_SYSTEM_PAGE = 190;
constexpr unsigned IDD_PLOTTING_PAGE = 191;
constexpr unsigned IDD_OTHERS_PAGE = 192;
constexpr unsigned IDD_ADVANCED_PAGE = 193;
constexpr unsigned IDD_SETTINGS = 194;
constexpr unsigned IDD_NETWORK_PAGE = 195;

// Settings dialog.
constexpr unsigned IDC_SAVE = 1054;

// "System" page.
constexpr unsigned IDC_LINE_WIDTH = 1011;
constexpr unsigned IDC_ONE_HEAD = 1014;
constexpr unsigned IDC_TWO_HEADS = 1015;
constexpr unsigned IDC_THREE_HEADS = 1016;
constexpr unsigned IDC_FOUR_HEADS = 1017;
// The head rows No.1 to No.4: open box, "Offset" (X), "OffsetCorrect" (Y).
constexpr unsigned IDC_HEAD_OPEN[4] = {1018, 1045, 1082, 1112};
constexpr unsigned IDC_HEAD_OFFSET[4] = {1019, 1044, 1057, 1093};
constexpr unsigned IDC_HEAD_OFFSET_CORRECT[4] = {1012, 1046, 1059, 1028};
constexpr unsigned IDC_NOZZLE_WIDTH = 1032;
constexpr unsigned IDC_COMPRESSED = 10031;
constexpr unsigned SYSTEM_LINE_WIDTH_LABEL = ItemStatic(1);
constexpr unsigned SYSTEM_HPP = ItemStatic(2);
constexpr unsigned SYSTEM_NOZZLE_GROUP = ItemStatic(3);
constexpr unsigned SYSTEM_OFFSET_LABEL = ItemStatic(4);
constexpr unsigned SYSTEM_OFFSET_CORRECT_LABEL = ItemStatic(5);
constexpr unsigned SYSTEM_NOZZLE_WIDTH_LABEL = ItemStatic(6);

// "Plotting" page.
constexpr unsigned IDC_XSCALE_T = 10242;
constexpr unsigned IDC_XSCALE_R = 1030;
constexpr unsigned IDC_YSCALE_T = 10202;
constexpr unsigned IDC_YSCALE_R = 10222;
constexpr unsigned IDC_ORIGIN_POINT = 1004;
constexpr unsigned IDC_LINE_CORRECT = 10051;
constexpr unsigned IDC_MIRROR = 1000;
constexpr unsigned IDC_ROTATE90 = 1001;
constexpr unsigned IDC_CLOCKWISE = 1107;
constexpr unsigned IDC_COUNTERCLOCKWISE = 11081;
constexpr unsigned IDC_AUTO_PLOT = 1002;
constexpr unsigned IDC_AUTO_DELETE = 1003;
constexpr unsigned IDC_JOINT_CORRECTION = 1008;
constexpr unsigned IDC_INCREASE = 10211;
constexpr unsigned IDC_DECREASE = 10251;
constexpr unsigned IDC_SET_JOINT_CORRECTION = 1133;
constexpr unsigned PLOTTING_CORRECTION_GROUP = ItemStatic(1);
constexpr unsigned PLOTTING_L_IDEAL_LABEL = ItemStatic(2);
constexpr unsigned PLOTTING_L_REAL_LABEL = ItemStatic(3);
constexpr unsigned PLOTTING_W_IDEAL_LABEL = ItemStatic(4);
constexpr unsigned PLOTTING_W_REAL_LABEL = ItemStatic(5);
constexpr unsigned PLOTTING_ORIGIN_LABEL = ItemStatic(6);
constexpr unsigned PLOTTING_MM = ItemStatic(7);
constexpr unsigned PLOTTING_LINE_CORRECT_LABEL = ItemStatic(8);
constexpr unsigned PLOTTING_JOINT_GROUP = ItemStatic(9);
constexpr unsigned PLOTTING_HPP = ItemStatic(10);

// "Advanced" page.
constexpr unsigned IDC_DPI_PER_METRE = 1005;
constexpr unsigned IDC_Y_STEP = 1009;
constexpr unsigned IDC_PLOTTING_WIDTH = 11111;
constexpr unsigned IDC_ENABLE_SPEED = 11011;
constexpr unsigned IDC_LOW_SPEED = 11021;
constexpr unsigned IDC_MIDDLE_SPEED = 11201;
constexpr unsigned IDC_HIGH_SPEED = 11211;
constexpr unsigned IDC_DATA_FLOW_VOLUME = 10231;
constexpr unsigned IDC_OVERTIME = 10311;
constexpr unsigned ADVANCED_DPI_LABEL = ItemStatic(1);
constexpr unsigned ADVANCED_Y_STEP_LABEL = ItemStatic(2);
constexpr unsigned ADVANCED_WIDTH_LABEL = ItemStatic(3);
constexpr unsigned ADVANCED_CM = ItemStatic(4);
constexpr unsigned ADVANCED_SPEED_GROUP = ItemStatic(5);
constexpr unsigned ADVANCED_USB_GROUP = ItemStatic(6);
constexpr unsigned ADVANCED_DATA_FLOW_LABEL = ItemStatic(7);
constexpr unsigned ADVANCED_OVERTIME_LABEL = ItemStatic(8);

// "Others" page.
constexpr unsigned IDC_WORK_FOLDER = 1026;
constexpr unsigned IDC_BROWSE = 1027;
constexpr unsigned IDC_FONT_SIZE = 1033;
constexpr unsigned IDC_CLEAR_LOW = 11231;
constexpr unsigned IDC_CLEAR_MIDDLE = 11242;
constexpr unsigned IDC_CLEAR_HEAVY = 11251;
constexpr unsigned IDC_CLEAR_HUGE = 11261;
constexpr unsigned IDC_FAN_MIN = 11243;
constexpr unsigned IDC_FAN_MIDDLE = 11252;
constexpr unsigned IDC_FAN_MAX = 11262;
constexpr unsigned IDC_PLOT_FILE_NAME = 1145;
constexpr unsigned OTHERS_FOLDER_LABEL = ItemStatic(1);
constexpr unsigned OTHERS_FONT_GROUP = ItemStatic(2);
constexpr unsigned OTHERS_FONT_SIZE_LABEL = ItemStatic(3);
constexpr unsigned OTHERS_CLEAR_GROUP = ItemStatic(4);
constexpr unsigned OTHERS_FANS_GROUP = ItemStatic(5);

// "Net" page.
constexpr unsigned IDC_PLOTTER_IP = 1147;
constexpr unsigned IDC_SET_IP = 1148;
constexpr unsigned IDC_SPINNER = 1149;
constexpr unsigned IDC_HOST_IP[6] = {1150, 1151, 1152, 1153, 1154, 1155};
constexpr unsigned NET_PLOTTER_GROUP = ItemStatic(1);
constexpr unsigned NET_ADDRESS_LABEL = ItemStatic(2);
constexpr unsigned NET_HOST_GROUP = ItemStatic(3);

// Common settings dialog: the four ink boxes (position, "+", "-").
constexpr unsigned IDC_BOX_POSITION[4] = {1117, 1116, 1120, 1122};
constexpr unsigned IDC_BOX_PLUS[4] = {11151, 10862, 1088, 10903};
constexpr unsigned IDC_BOX_MINUS[4] = {10851, 10872, 10891, 10913};
constexpr unsigned IDC_PAGE_WIDTH = 1118;
constexpr unsigned IDC_EASY_LINE_WIDTH = 1121;
constexpr unsigned IDC_PLOTTING_DIRECTORY = 1123;
constexpr unsigned IDC_CHOOSE_DIRECTORY = 1132;
constexpr unsigned IDC_EASY_ORIGIN_POINT = 1131;
constexpr unsigned IDC_EASY_JOINT_CORRECTION = 1135;
constexpr unsigned IDC_EASY_SET_JOINT_CORRECTION = 1134;
constexpr unsigned IDC_EASY_AUTO_PLOT = 1138;
constexpr unsigned IDC_EASY_AUTO_DELETE = 1139;
constexpr unsigned IDC_EASY_ROTATE90 = 1142;
constexpr unsigned IDC_EASY_MIRROR = 1143;
constexpr unsigned IDC_EASY_CLOCKWISE = 1140;
constexpr unsigned IDC_EASY_COUNTERCLOCKWISE = 1141;
constexpr unsigned IDC_SAVE_AND_EXIT = 1119;
constexpr unsigned EASY_BOXES_GROUP = ItemStatic(1);
constexpr unsigned EASY_BOX_GROUP[4] = {ItemStatic(2), ItemStatic(3), ItemStatic(4), ItemStatic(5)};
constexpr unsigned EASY_POSITION_LABEL = ItemStatic(6);
constexpr unsigned EASY_PAGING_GROUP = ItemStatic(7);
constexpr unsigned EASY_PAGE_WIDTH_LABEL = ItemStatic(8);
constexpr unsigned EASY_LINE_WIDTH_LABEL = ItemStatic(9);
constexpr unsigned EASY_DIRECTORY_LABEL = ItemStatic(10);
constexpr unsigned EASY_ORIGIN_LABEL = ItemStatic(11);
constexpr unsigned EASY_MM = ItemStatic(12);
constexpr unsigned EASY_JOINT_GROUP = ItemStatic(13);
constexpr unsigned EASY_HPP = ItemStatic(14);

}  // namespace res
