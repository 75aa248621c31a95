// Identifiers of the sample resource script, shared with the test.
#pragma once

#define IDC_TITLE 109
#define IDC_PATH 111
#define IDC_GROUP 112
#define IDC_SCRIPT_LIST 1000
#define IDM_ABOUT 102
#define IDM_INTERNET 103
#define IDB_PICTURE 1000
#define IDD_NUMBERED 7
