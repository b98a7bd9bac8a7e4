// Resources of the desk clock's editing part.
#pragma once

// Resource ids of the desk clock's editing part.
#define IDD_ALARM_LIST 110

#define IDC_ALARM_ADD 1013
#define IDC_ALARM_DELETE 1014
#define IDC_ALARM_PROPERTIES 1015
#define IDC_ALARM_TEST 1016
#define IDC_ALARM_LIST 1017

// The add wizard's pages, the properties sheet's tabs and their pictures.
#define IDD_ADD_INTRO 145
#define IDD_ADD_TEXTS 146
#define IDD_ADD_SCHEDULE 147
#define IDD_EDIT_GENERAL 202
#define IDD_EDIT_SCHEDULE 106
#define IDB_WIZARD_INTRO 147
#define IDB_WIZARD_SCHEDULE 148
#define IDB_WIZARD_TEXTS 149
#define IDS_ADD_WIZARD 142
#define IDS_EDIT_SHEET 111

// The wizard's text page.
#define IDC_ADD_TITLE 1050
#define IDC_ADD_WAVE 1051
#define IDC_ADD_MESSAGE 1052
#define IDC_ADD_BROWSE 1053

// The properties sheet's general tab.
#define IDC_EDIT_WAVE 1023
#define IDC_EDIT_MESSAGE 1024
#define IDC_EDIT_TITLE 1025
#define IDC_EDIT_BROWSE 1030
#define IDC_EDIT_PICTURE 1042

// The schedule page, the same ids in both templates.
#define IDC_SCHED_DATE_FIRST 1023
#define IDC_SCHED_DATE_FIRST_SPIN 1024
#define IDC_SCHED_DATE_SECOND 1025
#define IDC_SCHED_DATE_SECOND_SPIN 1026
#define IDC_SCHED_TIME_FIRST 1027
#define IDC_SCHED_TIME_FIRST_SPIN 1028
#define IDC_SCHED_DATE_UNIT 1029
#define IDC_SCHED_TIME_UNIT 1030
#define IDC_SCHED_WEEKDAY 1031
#define IDC_SCHED_TIME_SECOND 1032
#define IDC_SCHED_TIME_SECOND_SPIN 1033
#define IDC_SCHED_TEXT 1034
#define IDC_SCHED_DATE_FIRST_LABEL 1035
#define IDC_SCHED_TIME_FIRST_LABEL 1037
#define IDC_SCHED_DATE_SECOND_LABEL 1038
#define IDC_SCHED_TIME_SECOND_LABEL 1039
#define IDC_SCHED_PICTURE 1042
