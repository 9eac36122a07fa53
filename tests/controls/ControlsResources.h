// Resource ids of the controls tests.
#pragma once

#define IDD_LONGTASK 300
#define IDD_LONGTASK_BARE 301
#define IDB_HTHUMB 310
#define IDB_VTHUMB 311
