#pragma once

// Resource ids of the desk clock's alarms part.
#define IDD_MESSAGE_POPUP 141
#define IDB_POPUP_PICTURE1 146
#define IDI_POPUP 150
#define IDB_POPUP_PICTURE2 151
#define IDB_POPUP_PICTURE3 152

// Controls of the message popup.
#define IDC_POPUP_NEXT 1040
#define IDC_POPUP_PREV 1041
#define IDC_POPUP_TITLE 1042
#define IDC_POPUP_MESSAGE 1043
#define IDC_POPUP_TIME 1054
#define IDC_POPUP_PICTURE 1055
