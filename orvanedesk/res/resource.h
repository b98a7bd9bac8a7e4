#pragma once

// Resource ids of the desk clock, shared by the resource script and the code.
#define IDI_ORVANE 100
#define IDI_SOUND 120
#define IDI_EVENT 121
#define IDI_MESSAGE 122
#define IDI_MESSAGE_SOUND 124

#define IDB_WEEK_WED 123
#define IDB_DIGIT1 124
#define IDB_DIGIT2 125
#define IDB_DIGIT3 126
#define IDB_DIGIT4 127
#define IDB_DIGIT5 128
#define IDB_DIGIT6 129
#define IDB_DIGIT7 130
#define IDB_DIGIT8 131
#define IDB_DIGIT9 132
#define IDB_WEEK_FRI 133
#define IDB_WEEK_MON 134
#define IDB_WEEK_SAT 135
#define IDB_SLASH 136
#define IDB_WEEK_SUN 137
#define IDB_WEEK_THU 138
#define IDB_WEEK_TUE 139
#define IDB_DIGIT0 140

#include "resource_about.h"
#include "resource_alarms.h"
#include "resource_editing.h"
#include "resource_settings.h"
