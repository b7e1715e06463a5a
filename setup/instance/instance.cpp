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

// Every list operation maps the view, takes the list mutex (no time limit), works, unmaps, and
// releases the mutex. When the lock cannot be had the list is left alone and the operation
// gives its failure value.

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

CInstanceManager::CInstanceManager(const char* name, DWORD additional)
    : applicationName(name),
      listSize(0),
      additionalSize(additional),
      listMutex(FALSE, CString("InstanceManager_InstanceList_Mutex_") + name),
      additionalMutex(FALSE, CString("InstanceManager_Additional_Mutex_") + name),
      mapping(nullptr),
      listView(nullptr),
      additionalView(nullptr)
{
    listSize = sizeof(InstanceListHeader);
    // Without its mutex the shared list cannot be used safely: the process then neither creates
    // the mapping nor registers, exactly as when the mapping cannot be created (count 0, no ids).
    // The additional-data mutex guards nothing this program touches, so its absence is harmless.
    if (!listMutex.m_hObject) return;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    listSize = RoundUp(listSize, info.dwAllocationGranularity);
    additionalSize = RoundUp(additionalSize, info.dwAllocationGranularity);

    CString mapName = CString("InstanceManager_FileMap_") + name;
    mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, SEC_COMMIT | PAGE_READWRITE, 0,
                                 listSize + additionalSize, mapName);
    if (mapping && GetLastError() != ERROR_ALREADY_EXISTS) ResetList();
    AddInstance(GetCurrentProcessId());
}

CInstanceManager::~CInstanceManager()
{
    RemoveInstance(GetCurrentProcessId());
    if (additionalView) UnmapViewOfFile(additionalView);
    if (mapping) CloseHandle(mapping);
    mapping = nullptr;
}

// A fresh mapping is already zero-filled: only the marker is set, so a process that registered
// between the creation and this moment keeps its entry.
void CInstanceManager::ResetList()
{
    if (!MapList()) return;
    CSingleLock lock(&listMutex, TRUE);
    if (lock.IsLocked()) listView->marker = 1;
    UnmapList();
}

BOOL CInstanceManager::MapList()
{
    if (!mapping) return FALSE;
    listView = (InstanceListHeader*)MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, listSize);
    return listView != nullptr;
}

void CInstanceManager::UnmapList()
{
    if (listView) UnmapViewOfFile(listView);
    listView = nullptr;
}

int CInstanceManager::GetInstanceCount()
{
    if (!MapList()) return 0;
    CSingleLock lock(&listMutex, TRUE);
    int count = lock.IsLocked() ? (int)ValidCount(listView) : 0;
    UnmapList();
    return count;
}

BOOL CInstanceManager::GetInstanceIds(CDWordArray& ids)
{
    if (!MapList()) return FALSE;
    CSingleLock lock(&listMutex, TRUE);
    DWORD count = lock.IsLocked() ? ValidCount(listView) : 0;
    BOOL ok = lock.IsLocked() && ids.SetSize((int)count);
    for (DWORD i = 0; ok && i < count; ++i) ids[(int)i] = listView->slots[i];
    UnmapList();
    return ok;
}

BOOL CInstanceManager::AddInstance(DWORD processId)
{
    if (!MapList()) return FALSE;
    CSingleLock lock(&listMutex, TRUE);
    BOOL added = FALSE;
    DWORD count = ValidCount(listView);
    if (lock.IsLocked() && count < MAX_INSTANCES) {
        for (DWORD i = 0; i < count; ++i)
            PostNotice(listView->slots[i], MSG_INSTANCE_ADDED, processId);
        listView->slots[count] = processId;
        listView->count = count + 1;
        added = TRUE;
    }
    UnmapList();
    return added;
}

BOOL CInstanceManager::RemoveInstance(DWORD processId)
{
    if (!MapList()) return FALSE;
    CSingleLock lock(&listMutex, TRUE);
    BOOL removed = FALSE;
    DWORD count = lock.IsLocked() ? ValidCount(listView) : 0;
    for (DWORD i = 0; i < count; ++i) {
        if (listView->slots[i] != processId) continue;
        memmove(&listView->slots[i], &listView->slots[i + 1], (count - i - 1) * sizeof(DWORD));
        listView->slots[count - 1] = 0;
        listView->count = --count;
        for (DWORD j = 0; j < count; ++j)
            PostNotice(listView->slots[j], MSG_INSTANCE_REMOVED, processId);
        removed = TRUE;
        break;
    }
    UnmapList();
    return removed;
}
