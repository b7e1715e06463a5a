#include "setupapp.h"

BOOL CSetupApp::InitInstance()
{
    return FALSE;
}
