// The wizard's last page; the frame switches its texts and reads its run-now box.
#pragma once
#include "framework.h"
#include "resource.h"

class CReadyPage : public CDialog {
public:
    explicit CReadyPage(CWnd* pParent) : CDialog(IDD_READY_PAGE, pParent) {}

protected:
    DECLARE_MESSAGE_MAP()
};
