// Our small dialog framework: the classes the setup program is written against.
#pragma once
#include "cobject.h"
#include "cstring.h"
#include "collections.h"
#include "sync.h"
#include "winapp.h"
