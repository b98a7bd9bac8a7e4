// Resources of the desk clock's editing part.
#pragma once

// Resource ids of the desk clock's editing part.
#define IDD_ALARM_LIST 110

#define IDC_ALARM_ADD 1013
#define IDC_ALARM_DELETE 1014
#define IDC_ALARM_PROPERTIES 1015
#define IDC_ALARM_TEST 1016
#define IDC_ALARM_LIST 1017
