// Resource ids of the setup program: strings, templates, the wizard picture and control ids.
#pragma once

// The maker's web site, named in texts and templates; the pages opened after installation lie under it.
#define MAKER_URL "http://www.orvane.example"

// Texts that the bundle's stub (stub/) shows as well, in the resource scripts' UTF-8.
#define TEXT_SETUP_CAPTION   "Glimra Telepítő"
#define TEXT_DAMAGED_PACKAGE "A telepítő fájl sérült, telepítés megszakítva.\n\nKérjük töltse le a terméket honlapunkról: " MAKER_URL " majd a telepítést próbálja újra."
#define TEXT_INSTALL_FAILED  "A Glimra 5 telepítése nem sikerült, a telepítő visszavonta a módosításokat."
#define TEXT_FIRST_FAILURE   "Az első hiba: %s"

// Strings
#define IDS_ONE_COPY_RUNNING     1
#define IDS_SETUP_CAPTION        2
#define IDS_SETUP_STOPPED        3
#define IDS_COPIES_RUNNING       4
#define IDS_CONFIRM_UNINSTALL    6
#define IDS_ACCEPT_AGREEMENT     7
#define IDS_FINISH               8
#define IDS_INSTALLED_OK         9
#define IDS_CHOOSE_FINISH        10
#define IDS_CONFIRM_CANCEL       11
#define IDS_BROWSE_TITLE         12
#define IDS_INVALID_FOLDER       13
#define IDS_VERSION4_FOLDER      14
#define IDS_PRODUCT_NAME         15
#define IDS_OLDER_VERSION        16
#define IDS_SAME_VERSION         17
#define IDS_DAMAGED_PACKAGE      18
#define IDS_FOLDER_HAS_OLD       19
#define IDS_UNINSTALLED          20
#define IDS_YES                  21
#define IDS_NO                   22
#define IDS_INSTALL_FAILED       23
#define IDS_FIRST_FAILURE        24
#define IDS_UNINSTALL_INCOMPLETE 25
#define IDS_LEFT_BEHIND          26
#define IDS_GOES_AT_RESTART      27
#define IDS_CLOSE_SETUP          28
#define IDS_ANOTHER_RUN          29
#define IDS_PRODUCT              100
#define IDS_HELP_SHORTCUT        101
#define IDS_README_SHORTCUT      102
#define IDS_UNINSTALL_SHORTCUT   104
#define IDS_APP_TITLE            57344

// Pictures and templates
#define IDB_WIZARD               101
#define IDI_SETUP                102
#define IDD_WIZARD               103
#define IDD_AGREEMENT_PAGE       104
#define IDD_WELCOME_PAGE         105
#define IDD_INSTALL_TYPE_PAGE    106
#define IDD_PROGRAM_GROUP_PAGE   107
#define IDD_READY_PAGE           108

// Controls of the frame (103)
#define IDC_BACK                 3
#define IDC_PICTURE              1002

// Controls of the pages (104-108); ids are unique within one page only
#define IDC_AGREEMENT_TEXT       1000
#define IDC_JUST_ME              1001
#define IDC_ALL_USERS            1002
#define IDC_VERSION_TEXT         1003
#define IDC_BROWSE               1005
#define IDC_FOLDER_HINT          1006
#define IDC_GROUP_COMBO          1007
#define IDC_AUTOSTART            1008
#define IDC_DESKTOP_ICON         1009
#define IDC_PLEASE_WAIT          1009
#define IDC_READY_TEXT           1010
#define IDC_READY_HINT           1011
#define IDC_RUN_NOW              1012
#define IDC_FOLDER               1013
