// CMutex (a named Win32 mutex) and CSingleLock, the guard that holds it for one scope.
#pragma once
#include <windows.h>
#include "cobject.h"

class CSyncObject : public CObject {
public:
    explicit CSyncObject(HANDLE hObject) : m_hObject(hObject) {}
    ~CSyncObject() override { if (m_hObject) CloseHandle(m_hObject); }
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    // Null when the object could not be created.
    HANDLE m_hObject;
};

class CMutex : public CSyncObject {
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, const char* pszName = nullptr);
    BOOL Unlock() override { return m_hObject && ReleaseMutex(m_hObject); }
};

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    BOOL Lock(DWORD dwTimeout = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired;
};
