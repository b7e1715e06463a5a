#include "sync.h"

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
    if (!m_hObject) return FALSE;
    DWORD result = WaitForSingleObject(m_hObject, dwTimeout);
    // An abandoned mutex is owned by the caller all the same.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

CMutex::CMutex(BOOL bInitiallyOwn, const char* pszName)
    : CSyncObject(CreateMutexA(nullptr, bInitiallyOwn, pszName)) {}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_bAcquired(FALSE)
{
    if (bInitialLock) Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeout)
{
    if (!m_bAcquired) m_bAcquired = m_pObject->Lock(dwTimeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired) m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}
