// Resources of the desk clock's settings part.
#pragma once

// Resource ids of the desk clock's settings part.
#define IDS_PROPERTIES 102
#define IDI_PLAY 116
#define IDI_STOP 117
#define IDB_SETTINGS_BANNER 143

#define IDD_GENERAL 118
#define IDD_SOUND 119
#define IDD_ILLUST 203

#define IDC_SETTINGS_BANNER 1042

#define IDC_SECOND_HAND 1017
#define IDC_TITLE_FACE 1010
#define IDC_FONT_LABEL 1047
#define IDC_FONT_FACE 1045
#define IDC_SIZE_LABEL 1048
#define IDC_FONT_SIZE 1046

#define IDC_ILLUST_LIST 1056
#define IDC_SELECT_ALL 1058
#define IDC_SHOW_NOW 1059
#define IDC_UPDATE_ILLUST 1016
#define IDC_EVERY_MINUTE 1011
#define IDC_EVERY_HOUR 1018
#define IDC_EVERY_DAY 1019

#define IDC_SOUND_TREE 1012
#define IDC_SOUND_ADD 1013
#define IDC_SOUND_CLEAR 1014
#define IDC_SOUND_PLAY 1015
#define IDC_SOUND_STOP 1016
