// The setup program's application class.
#pragma once
#include "framework.h"
#include "instance/instance.h"

class CSetupApp : public CWinApp {
public:
    // The instance registry counts and closes the running copies; the program passes its static
    // one (main.cpp). Without one no copies are seen.
    explicit CSetupApp(CInstanceManager* pInstances = nullptr) : m_pInstances(pInstances) {}

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    CInstanceManager* m_pInstances;
};
