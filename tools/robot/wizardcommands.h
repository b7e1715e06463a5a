// The wizard commands of glmrobot; argv[i] is the word after "wizard".
#pragma once

int RunWizardCommand(int argc, char** argv, int i);

// "shortcut <path.lnk>...": argv[i] is the first path.
int RunShortcutCommand(int argc, char** argv, int i);
