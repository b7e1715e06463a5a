#include "cmdtarget.h"

const MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = { { 0, 0, 0, nullptr } };
    static const MessageMap messageMap = { nullptr, entries };
    return &messageMap;
}

const MessageMap* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode)
{
    for (const MessageMap* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const MessageMapEntry* p = pMap->lpEntries; p->nMessage; p++) {
            if (p->nMessage == WM_COMMAND && p->nID == nID && p->nCode == (UINT)nCode) {
                (this->*p->pfn)();
                return TRUE;
            }
        }
    }
    return FALSE;
}
