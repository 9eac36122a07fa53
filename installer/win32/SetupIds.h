// Resource and control ids of QVSETUP's dialogs (read by the resource compiler too).
#pragma once

#define IDI_UPGSETUP 1

#define IDC_UPG_DESCRIPTION 101
#define IDC_UPG_TARGET 102
#define IDC_UPG_FOLDER 103
#define IDC_UPG_APPLY 300

#define IDC_UPGP_FILE 101
#define IDC_UPGP_DESCRIPTION 102
#define IDC_UPGP_OPERATION 103
#define IDC_UPGP_BAR 105
