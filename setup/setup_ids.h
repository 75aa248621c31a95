// Identifiers shared by the setup program and its resource script.
#pragma once

// Controls of the destination, copy and restart dialogs.
#define IDC_TITLE 109
#define IDC_PATH 111
#define IDC_GROUP 112
#define IDC_SOURCE 114
#define IDC_DESTINATION 115
#define IDC_ACTION 116
#define IDC_PROGRESS 119
#define IDC_SCRIPT_LIST 1000

// Steps of the main window, posted to itself as command numbers.
#define CMD_FINISH 201
#define CMD_DESTINATION 300
#define CMD_FILECOPY 301
#define CMD_PROGRAM_GROUP 302
#define CMD_ACTIONS 303
#define CMD_RESTART 304
#define CMD_DELETIONS 305

// Posted by the progress window when the command script has run.
#define WM_SCRIPT_FINISHED 2024

// Result of the copy dialog when the install path cannot be used.
#define RESULT_INVALID_PATH 112
