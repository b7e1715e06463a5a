// The setup program's application class.
#pragma once
#include "framework.h"

class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};
