// Resources of the desk clock's settings part.
#pragma once

// Resource ids of the desk clock's settings part.
#define IDS_PROPERTIES 102
#define IDI_PLAY 116
#define IDI_STOP 117
#define IDB_SETTINGS_BANNER 143
