// Dialogs and controls of the page-setup sheet.
#pragma once

#define IDD_PAGE_SETUP          566
#define IDD_PAGESETUP_CONTENTS  598
#define IDD_PAGESETUP_OPTIONS   567
#define IDD_PAGESETUP_MARGINS   568
#define IDD_PAGESETUP_FONTS     595
#define IDD_PAGESETUP_PREVIEW   593

// Contents.
#define IDC_PS_GROUPS           101
#define IDC_PS_STAVES           102
#define IDC_PS_LAYERING         103

// Options.
#define IDC_PS_NUMBERING        101
#define IDC_PS_NUMBER_FROM      102
#define IDC_PS_TITLE_INFO       103
#define IDC_PS_EXTEND_LAST      104
#define IDC_PS_STAFF_SIZE       105
#define IDC_PS_STAFF_LABELS     106
#define IDC_PS_DURATION_SPACING 107
#define IDC_PS_MEASURE_STYLE    108
#define IDC_PS_MEASURE_START    109

// Margins.
#define IDC_PS_TOP              101
#define IDC_PS_INSIDE           102
#define IDC_PS_OUTSIDE          103
#define IDC_PS_BOTTOM           104
#define IDC_PS_MIRROR           105
#define IDC_PS_UNITS            106

// Fonts and Preview: a column list under its header, and the page's button.
#define IDC_PS_LIST             101
#define IDC_PS_LIST_HEADER      102
#define IDC_PS_MODIFY           110
#define IDC_PS_PREVIEW          110
