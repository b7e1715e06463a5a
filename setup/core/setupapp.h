// The setup program's application class and its static objects (defined in main.cpp).
#pragma once
#include "framework.h"
#include "instance/instance.h"

class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()
};

extern CInstanceManager g_InstanceManager;
