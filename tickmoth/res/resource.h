#pragma once

// Resource ids of the picture clock, shared by the resource script, the code and the e2e driver.
#define IDI_TICKMOTH 100

#define IDB_ILLUST 110
#define IDB_HOUR 111
#define IDB_MINUTE 112
#define IDB_SECOND 113

#define IDM_POPUP 120
#define IDM_N1 121
#define IDM_ABOUT_A1 122
#define IDM_EXIT1 123

#define IDS_ABOUT 130
