// Resource ids of the framework tests.
#define IDD_TRANSFER 100
#define IDC_NAME 101
#define IDC_FLAG 102
#define IDC_CHOICE 103
#define IDM_MAIN 200
#define CM_HANDLED 210
#define CM_ENABLER_OFF 211
#define CM_UNHANDLED 212
#define CM_CHECKED 213
