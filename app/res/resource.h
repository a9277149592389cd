// Resource and control identifiers of the launcher.
#pragma once

#define IDD_LAUNCHER 102
#define IDI_LAUNCHER 128
#define IDD_INSIDE 129
#define IDC_LAUNCHER_CURSOR 130

#define IDC_CHECK_HORSE 3
#define IDC_OFFICIAL_NET 4
#define IDC_REGISTER 5
#define IDC_SHOP 6
#define IDC_HICLEAR_ENT 7
#define IDC_STAN_ENT 8
#define IDC_VERSION_LABEL 1002
#define IDC_FLASH_TIP 1003
#define IDC_FLASH_MANUAL 1004
#define IDC_EXIT 1005
