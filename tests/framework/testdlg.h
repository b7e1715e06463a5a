// Ids of the framework tests' own dialog templates and controls.
#pragma once

#define IDD_TEST_DIALOG   201
#define IDD_TEST_PAGE     202
#define IDD_TEST_BROKEN   203

#define IDC_NAME          301
#define IDC_FIRST_RADIO   311
#define IDC_PUSH_IN_GROUP 312
#define IDC_SECOND_RADIO  313
#define IDC_THIRD_RADIO   314
#define IDC_AGREE         321
#define IDC_OTHER_RADIO   322
#define IDC_LABEL         331
#define IDC_COMBO         341
#define IDC_CLICK_ME      351
#define IDC_HELP_BUTTON   0xE146
#define IDC_RUN_HOOK      360     // a command without a control, posted by the tests

#define IDC_PAGE_TEXT     401
#define IDC_PAGE_BUTTON   402
