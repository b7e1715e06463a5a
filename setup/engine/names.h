// Fixed names the setup program shares with the package, the registry and the application.
#pragma once

#define APP_EXE_NAME        "Glmr5.exe"
// The application of version 4, whose folder the new version must not be installed into.
#define VERSION4_EXE_NAME   "Glmr.exe"
#define SETUP_EXE_NAME      "setup.exe"
#define UNINSTALLER_NAME    "GlmUnInst.exe"
#define LOG_NAME            "GlmUnInst.log"
#define LEGACY_LOG_NAME     "install.log"
#define PRODUCT_FOLDER_NAME "Glimra 5"
#define HELP_FILE_NAME      "Glmr5Man.chm"
#define README_FILE_NAME    "readme.txt"
// The licence text the wizard shows, read from the package folder.
#define AGREEMENT_FILE_NAME "agreement.txt"
// Prefix of the uninstaller's temporary copy (GetTempFileName adds hexadecimal digits and ".tmp").
#define REMOVAL_COPY_PREFIX "uni"
// Settings file installed from beside the self-extracting package.
#define SETTINGS_FILE_NAME  "Glmr5.ini"
// Environment variable holding the path of the self-extracting package that started the setup.
#define PACKAGE_PATH_VARIABLE "sfxname"

// The machine-wide mutex that gives one run of the setup program at a time its turn.
#define RUN_TURN_MUTEX_NAME "Global\\Orvane.Glimra5.SetupRun"
// The switch after which the uninstaller passes its temporary copy a handle to itself.
#define STARTER_SWITCH "-starter"

// Name under which the application's running copies and the setup register themselves.
#define INSTANCE_REGISTRY_NAME "Orvane.Glimra.v4"

#define MAKER_NAME           "Orvane"
#define MAKER_FULL_NAME      "Orvane Technology LLC"
#define SETTINGS_KEY_NAME    "Glimra v.5"
#define SETTINGS_KEY         "SOFTWARE\\Orvane\\Glimra v.5"
#define LEGACY_SETTINGS_KEY  "SOFTWARE\\Orvane\\Glimra 5"
#define CURRENT_VERSION_KEY  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"
#define APP_PATHS_KEY        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"
#define UNINSTALL_KEY        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define UNINSTALL_ENTRY_NAME "Glimra 5"
#define SHELL_FOLDERS_KEY    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"
#define FILE_EXTS_KEY        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts"
#define DOCUMENT_CLASS_NAME  "Glm5.Document"
// Values under the settings keys: the installation folder, and "B" for all users or "A" for one.
#define INSTALL_PATH_VALUE   "Path"
#define ALL_USERS_VALUE      "AllUsers"

// Record prefixes of the install script and the installation log (exact, with the trailing blank).
#define REC_FILE_COPY      "File Copy: "
#define REC_FILE_OVERWRITE "File Overwrite: "
#define REC_FILE_DEL       "File Del: "
#define REC_MAKE_DIR       "Make Dir: "
#define REC_MADE_DIR       "Made Dir: "
#define REC_SHELL_LINK     "Shell Link: "
