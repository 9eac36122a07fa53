// Dialogs and controls of printing, print preview and page copies.
#pragma once

#define IDD_PRINT_CANCEL        530
#define IDD_PRINT_PREVIEW       543
#define IDD_COPY_PAGE           591

// Score Print: the document's name.
#define IDC_PRINT_DOCUMENT      101

// Copy Printed Page: where the copy goes.
#define IDC_COPY_CLIPBOARD      101
#define IDC_COPY_FILE           103

// Score Print Preview.
#define IDC_PREVIEW_CONTROL     101
#define IDC_PREVIEW_START       110
#define IDC_PREVIEW_NEXT        111
#define IDC_PREVIEW_BACK        112
#define IDC_PREVIEW_COPY        120
#define IDC_PREVIEW_CURSOR      101
