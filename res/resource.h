// Resource ids of the setup: string table, dialog templates, controls, bitmap, icon.
#pragma once

// String table
#define IDS_ONE_INSTANCE_OPEN    1
#define IDS_SETUP_CAPTION        2
#define IDS_SETUP_ABORTED        3
#define IDS_INSTANCES_OPEN       4
#define IDS_CONFIRM_UNINSTALL    6
#define IDS_ACCEPT_AGREEMENT     7
#define IDS_FINISH               8
#define IDS_INSTALLED            9
#define IDS_PRESS_FINISH         10
#define IDS_CONFIRM_CANCEL       11
#define IDS_SELECT_FOLDER        12
#define IDS_INVALID_FOLDER       13
#define IDS_OLD_VERSION_FOLDER   14
#define IDS_PRODUCT_NAME         15
#define IDS_OLDER_VERSION        16
#define IDS_SAME_VERSION         17
#define IDS_DAMAGED_FILES        18
#define IDS_FOLDER_HAS_PRODUCT   19
#define IDS_UNINSTALLED          20
#define IDS_YES                  21
#define IDS_NO                   22
#define IDS_GROUP_TOO_SHORT      23
#define IDS_GROUP_IS_STARTUP     24
#define IDS_HELP_SHORTCUT        101
#define IDS_README_SHORTCUT      102
#define IDS_UNINSTALL_SHORTCUT   104
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE        0xE000
#endif

// Bitmap and icon
#define IDB_PICTURE              101
#define IDR_MAINFRAME            128

// Dialog templates
#define IDD_SETUP                103
#define IDD_AGREEMENT            104
#define IDD_INTO                 105
#define IDD_FOLDER               106
#define IDD_GROUP                107
#define IDD_START                108

// Controls. Ids repeat across templates where each page has its own control of that number.
#define IDC_BACK                 3
#define IDC_EDIT                 1000   // agreement text (104), group name (107)
#define IDC_SCOPE_USER           1001   // 106
#define IDC_PICTURE              1002   // 103
#define IDC_SCOPE_ALL            1002   // 106
#define IDC_VERSION              1003   // 105
#define IDC_BROWSE               1005   // 106
#define IDC_FOLDER_NOTE          1006   // 106
#define IDC_AUTOSTART            1008   // 107
#define IDC_DESKTOP_ICON         1009   // 107
#define IDC_INSTALLING           1009   // 108
#define IDC_READY_TEXT           1010   // 108
#define IDC_READY_HINT           1011   // 108
#define IDC_RUN_AFTER            1012   // 108
#define IDC_DESTINATION          1013   // 106
