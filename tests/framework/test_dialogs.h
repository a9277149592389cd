#pragma once
#define IDD_TEST_DIALOG 200
#define IDD_TEST_POPUP 201
#define IDC_OWNER_DRAWN 10
#define IDC_PUSH 11
#define IDC_TEXT 12
