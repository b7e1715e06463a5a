#include "readypage.h"

BEGIN_MESSAGE_MAP(CReadyPage, CDialog)
END_MESSAGE_MAP()
