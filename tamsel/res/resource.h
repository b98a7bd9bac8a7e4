#pragma once

// Resource ids of the character clock, the same in all three editions.
#define IDB_BACKGROUND 104
#define IDB_GLYPHS 115
#define IDB_FRAMES 148
#define IDI_CLOCK 132
#define IDI_TRAY 141

#define IDM_POPUP 107
#define IDM_ABOUT 40001
#define IDM_SETUP 40002
#define IDM_ALARM 40003
#define IDM_EXIT 1000

#define IDD_ABOUT 136
#define IDD_SETUP 116
#define IDD_ALARM 144

#define IDC_WEB 1056
#define IDC_MAIL 1057

#define IDC_PIN 1058
#define IDC_ON_TOP 1029  // also "NORMAL", which the program never reads
#define IDC_HOUR24 1020

#define IDC_ACTIVE 1044
#define IDC_TIME_LABEL 1045
#define IDC_HOUR 1049
#define IDC_HOUR_SPIN 1053
#define IDC_MINUTE 1050
#define IDC_MINUTE_SPIN 1055
#define IDC_WAVE 1042
#define IDC_PLAY 1052
#define IDC_BROWSE 1046
