// Resource ids of the dialog machinery tests.
#pragma once

#define IDD_SHEET 400
#define IDD_SHEET_RIGHT 401
#define IDD_PAGE_NAME 410
#define IDD_PAGE_NUMBERS 411
#define IDD_PAGE_PLAIN 412
#define IDD_WIZARD 420
#define IDD_WIZ_PAGE 421
#define IDD_VALUES 430
#define IDB_WIZARD 440
#define IDB_TAB_PICTURES 441

#define IDC_NAME 1001
#define IDC_NAME_LABEL 1000
#define IDC_LOUD 1002
#define IDC_COUNT 1101
#define IDC_COUNT_LABEL 1100
#define IDC_RATE 1102
#define IDC_CHOICE 1103
#define IDC_PLAIN_TEXT 1201
#define IDC_WIZ_TEXT 1301
#define IDC_NUMBER 1401
#define IDC_REAL 1402
