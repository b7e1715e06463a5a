// CInstanceManager: the machine-wide list of running processes of one named application,
// shared with the capture application through a named mutex and a named file mapping.
#pragma once
#include "framework.h"

#define MSG_INSTANCE_ADDED   1946
#define MSG_INSTANCE_REMOVED 1947
#define MAX_INSTANCES        1000

class CInstanceManager : public CObject {
    DECLARE_DYNAMIC(CInstanceManager)
public:
    // Registers this process. When the list mutex or the mapping cannot be created the object
    // still works, but unregistered: no count, no ids, no registrations.
    CInstanceManager(const char* applicationName, DWORD additionalSize);
    ~CInstanceManager() override;

    int GetInstanceCount();
    BOOL GetInstanceIds(CDWordArray& ids);
    BOOL AddInstance(DWORD processId);
    BOOL RemoveInstance(DWORD processId);

protected:
    void ResetList();

    CString m_strApplicationName;
    DWORD m_nListSize;
    DWORD m_nAdditionalSize;
    CMutex m_listMutex;
    CMutex m_additionalMutex;
    HANDLE m_hMapping;
};
