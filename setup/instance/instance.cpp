#include "instance.h"
#include "findwindow.h"
#include <string.h>

// Layout of the shared instance list, shared with the capture application: 32-bit words only,
// so 32-bit and 64-bit copies read one list alike.
struct InstanceListHeader {
    DWORD marker;
    DWORD count;
    DWORD slots[MAX_INSTANCES];
};
static_assert(sizeof(InstanceListHeader) == (2 + MAX_INSTANCES) * 4, "the list is made of 32-bit words");

IMPLEMENT_DYNAMIC(CInstanceManager, CObject)

// Posts a notice to the application window of a registered process. A process without one gets
// none: posting to a null window would put the notice into this thread's own queue instead.
static void PostNotice(DWORD processId, UINT message, DWORD subjectId)
{
    HWND hwnd = FindAppWindow(processId);
    if (hwnd) PostMessageA(hwnd, message, 0, (LPARAM)subjectId);
}

static DWORD RoundUp(DWORD size, DWORD granularity)
{
    return granularity ? (size + granularity - 1) / granularity * granularity : size;
}

// The count as stored, but never beyond the slots that exist: a damaged or hostile peer may
// have written anything there.
static DWORD ValidCount(const InstanceListHeader* list)
{
    return list->count > MAX_INSTANCES ? MAX_INSTANCES : list->count;
}

// One list operation: maps the view and takes the list mutex (no time limit) for its scope, then
// unmaps the view and releases the mutex. When the view or the lock cannot be had the list is left
// alone and the operation gives its failure value.
class CListAccess {
public:
    CListAccess(HANDLE mapping, DWORD size, CMutex& mutex)
        : m_pView(mapping ? (InstanceListHeader*)MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, size)
                          : nullptr),
          m_lock(&mutex, m_pView != nullptr)
    {
    }
    ~CListAccess()
    {
        if (m_pView) UnmapViewOfFile(m_pView);
    }
    // The list, or null when it could not be mapped or locked.
    InstanceListHeader* GetList() const { return m_lock.IsLocked() ? m_pView : nullptr; }

private:
    InstanceListHeader* m_pView;
    CSingleLock m_lock;
};

CInstanceManager::CInstanceManager(const char* name, DWORD additional)
    : m_strApplicationName(name),
      m_nListSize(0),
      m_nAdditionalSize(additional),
      m_listMutex(FALSE, CString("InstanceManager_InstanceList_Mutex_") + name),
      m_additionalMutex(FALSE, CString("InstanceManager_Additional_Mutex_") + name),
      m_hMapping(nullptr)
{
    m_nListSize = sizeof(InstanceListHeader);
    // Without its mutex the shared list cannot be used safely: the process then neither creates
    // the mapping nor registers, exactly as when the mapping cannot be created (count 0, no ids).
    // The additional-data mutex guards nothing this program touches, so its absence is harmless.
    if (!m_listMutex.m_hObject) return;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    m_nListSize = RoundUp(m_nListSize, info.dwAllocationGranularity);
    m_nAdditionalSize = RoundUp(m_nAdditionalSize, info.dwAllocationGranularity);

    CString mapName = CString("InstanceManager_FileMap_") + name;
    m_hMapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, SEC_COMMIT | PAGE_READWRITE, 0,
                                    m_nListSize + m_nAdditionalSize, mapName);
    if (m_hMapping && GetLastError() != ERROR_ALREADY_EXISTS) ResetList();
    AddInstance(GetCurrentProcessId());
}

CInstanceManager::~CInstanceManager()
{
    RemoveInstance(GetCurrentProcessId());
    if (m_hMapping) CloseHandle(m_hMapping);
    m_hMapping = nullptr;
}

// A fresh mapping is already zero-filled: only the marker is set, so a process that registered
// between the creation and this moment keeps its entry.
void CInstanceManager::ResetList()
{
    CListAccess access(m_hMapping, m_nListSize, m_listMutex);
    if (InstanceListHeader* list = access.GetList()) list->marker = 1;
}

int CInstanceManager::GetInstanceCount()
{
    CListAccess access(m_hMapping, m_nListSize, m_listMutex);
    InstanceListHeader* list = access.GetList();
    return list ? (int)ValidCount(list) : 0;
}

BOOL CInstanceManager::GetInstanceIds(CDWordArray& ids)
{
    CListAccess access(m_hMapping, m_nListSize, m_listMutex);
    InstanceListHeader* list = access.GetList();
    if (!list) return FALSE;
    DWORD count = ValidCount(list);
    BOOL ok = ids.SetSize((int)count);
    for (DWORD i = 0; ok && i < count; ++i) ids[(int)i] = list->slots[i];
    return ok;
}

BOOL CInstanceManager::AddInstance(DWORD processId)
{
    CListAccess access(m_hMapping, m_nListSize, m_listMutex);
    InstanceListHeader* list = access.GetList();
    if (!list) return FALSE;
    DWORD count = ValidCount(list);
    if (count >= MAX_INSTANCES) return FALSE;
    for (DWORD i = 0; i < count; ++i)
        PostNotice(list->slots[i], MSG_INSTANCE_ADDED, processId);
    list->slots[count] = processId;
    list->count = count + 1;
    return TRUE;
}

BOOL CInstanceManager::RemoveInstance(DWORD processId)
{
    CListAccess access(m_hMapping, m_nListSize, m_listMutex);
    InstanceListHeader* list = access.GetList();
    DWORD count = list ? ValidCount(list) : 0;
    for (DWORD i = 0; i < count; ++i) {
        if (list->slots[i] != processId) continue;
        memmove(&list->slots[i], &list->slots[i + 1], (count - i - 1) * sizeof(DWORD));
        list->slots[count - 1] = 0;
        list->count = --count;
        for (DWORD j = 0; j < count; ++j)
            PostNotice(list->slots[j], MSG_INSTANCE_REMOVED, processId);
        return TRUE;
    }
    return FALSE;
}
