// Dialogs and controls of the New command's template sheet and of the File History dialog.
#pragma once

#define IDD_SONG_TEMPLATES      572
#define IDD_TEMPLATE_TAB        573
#define IDD_FILE_HISTORY        532

// A template tab: its list of scores.
#define IDC_TEMPLATE_LIST       101

// File History: the column list under its header, and Clear.
#define IDC_HISTORY_LIST        101
#define IDC_HISTORY_HEADER      102
#define IDC_HISTORY_CLEAR       200
