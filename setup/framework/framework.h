// Our small dialog framework: the classes the setup program is written against.
#pragma once
#include "cobject.h"
#include "cstring.h"
#include "collections.h"
#include "sync.h"
#include "cmdtarget.h"
#include "wnd.h"
#include "dataexchange.h"
#include "dialog.h"
#include "controls.h"
#include "waitcursor.h"
#include "winapp.h"
#include "resmodule.h"
