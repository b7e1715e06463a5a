// The instance registry driven in-process under a name of this test program's own, with the
// shared list read and written directly through its mapping.
#include <gtest/gtest.h>
#include "glmr5_run.h"
#include "instance/instance.h"
#include <cstring>

namespace {

const DWORD kListWords = 2 + 1000;    // marker, count, slots

std::string TestName(const char* suffix)
{
    return "GlmTest." + std::to_string(GetCurrentProcessId()) + "." + suffix;
}

std::vector<DWORD> Ids(CInstanceManager& manager, BOOL* ok = nullptr)
{
    CDWordArray array;
    BOOL result = manager.GetInstanceIds(array);
    if (ok) *ok = result;
    std::vector<DWORD> ids;
    for (int i = 0; i < array.GetSize(); ++i) ids.push_back(array[i]);
    return ids;
}

// Exposes the initialisation that only the constructor uses.
class OpenManager : public CInstanceManager {
public:
    using CInstanceManager::CInstanceManager;
    using CInstanceManager::ResetList;
};

TEST(InstanceRegistry, FirstProcessCreatesAndRegisters)
{
    std::string name = TestName("first");
    ASSERT_FALSE(SharedListExists(name));
    DWORD self = GetCurrentProcessId();
    {
        CInstanceManager manager(name.c_str(), 1024);
        SharedList list(name);
        ASSERT_TRUE(list.Exists());
        EXPECT_EQ(1u, list.words[0]) << "marker";
        EXPECT_EQ(1u, list.Count());
        EXPECT_EQ(self, list.Slot(0));
        for (int i = 1; i < 1000; ++i) ASSERT_EQ(0u, list.Slot(i)) << "slot " << i;
        EXPECT_EQ(1, manager.GetInstanceCount());
        EXPECT_EQ(std::vector<DWORD>{self}, Ids(manager));

        // Both regions are rounded up to the allocation granularity.
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        MEMORY_BASIC_INFORMATION mbi = {};
        VirtualQuery(list.words, &mbi, sizeof(mbi));
        EXPECT_EQ(2 * (SIZE_T)info.dwAllocationGranularity, mbi.RegionSize);
    }
    EXPECT_FALSE(SharedListExists(name)) << "the last handle is gone, so is the list";
}

TEST(InstanceRegistry, KeepsRegistrationOrderAndClosesGaps)
{
    std::string name = TestName("order");
    DWORD self = GetCurrentProcessId();
    CInstanceManager manager(name.c_str(), 1024);
    SharedList list(name);
    ASSERT_TRUE(list.Exists());
    EXPECT_TRUE(manager.AddInstance(111));
    EXPECT_TRUE(manager.AddInstance(222));
    EXPECT_TRUE(manager.AddInstance(333));
    EXPECT_EQ((std::vector<DWORD>{self, 111, 222, 333}), Ids(manager));
    EXPECT_EQ(4, manager.GetInstanceCount());

    EXPECT_TRUE(manager.RemoveInstance(222));
    EXPECT_EQ((std::vector<DWORD>{self, 111, 333}), Ids(manager));
    EXPECT_EQ(0u, list.Slot(3)) << "the freed slot at the end is cleared";
    EXPECT_FALSE(manager.RemoveInstance(222));
    EXPECT_FALSE(manager.RemoveInstance(999));
    EXPECT_EQ(3u, list.Count());

    // Duplicates are not refused; a removal takes the first one.
    EXPECT_TRUE(manager.AddInstance(111));
    EXPECT_TRUE(manager.RemoveInstance(111));
    EXPECT_EQ((std::vector<DWORD>{self, 333, 111}), Ids(manager));

    // None of these ids has a window: no notice may land in this thread's own queue instead.
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, (HWND)-1, MSG_INSTANCE_ADDED, MSG_INSTANCE_REMOVED, PM_REMOVE))
        << "notice " << msg.message << " with lParam " << msg.lParam << " posted to no window";
}

TEST(InstanceRegistry, SecondManagerOfTheSameNameKeepsTheList)
{
    std::string name = TestName("second");
    DWORD self = GetCurrentProcessId();
    CInstanceManager first(name.c_str(), 1024);
    first.AddInstance(4711);
    {
        CInstanceManager second(name.c_str(), 1024);
        EXPECT_EQ((std::vector<DWORD>{self, 4711, self}), Ids(second));
    }
    EXPECT_EQ((std::vector<DWORD>{4711, self}), Ids(first)) << "the first entry of this process went";
}

TEST(InstanceRegistry, InitialisationKeepsEntriesMadeBeforeIt)
{
    std::string name = TestName("reset");
    DWORD self = GetCurrentProcessId();
    OpenManager manager(name.c_str(), 1024);
    SharedList list(name);
    ASSERT_TRUE(list.Exists());
    manager.AddInstance(555);
    list.words[0] = 0;
    manager.ResetList();
    EXPECT_EQ(1u, list.words[0]) << "marker";
    EXPECT_EQ((std::vector<DWORD>{self, 555}), list.Ids());
}

TEST(InstanceRegistry, TheThousandAndFirstRegistrationFails)
{
    std::string name = TestName("full");
    DWORD self = GetCurrentProcessId();
    CInstanceManager manager(name.c_str(), 1024);
    SharedList list(name);
    ASSERT_TRUE(list.Exists());
    for (DWORD id = 2; id <= 10; ++id) ASSERT_TRUE(manager.AddInstance(id * 1000));
    ASSERT_EQ(10u, list.Count());
    // Fill up to 999 entries directly, as other processes would have.
    for (int i = 10; i < 999; ++i) list.words[2 + i] = 100000 + i;
    list.words[1] = 999;
    EXPECT_TRUE(manager.AddInstance(777777));
    EXPECT_EQ(1000, manager.GetInstanceCount());
    EXPECT_EQ(777777u, list.Slot(999));

    std::vector<DWORD> before(list.words, list.words + kListWords);
    EXPECT_FALSE(manager.AddInstance(888888));
    std::vector<DWORD> after(list.words, list.words + kListWords);
    EXPECT_TRUE(before == after) << "the list changed although it was full";
    std::vector<DWORD> ids = Ids(manager);
    ASSERT_EQ(1000u, ids.size());
    EXPECT_EQ(self, ids[0]);
    EXPECT_EQ(777777u, ids[999]);

    // Room again after one removal.
    EXPECT_TRUE(manager.RemoveInstance(5000));
    EXPECT_TRUE(manager.AddInstance(888888));
    EXPECT_EQ(888888u, list.Slot(999));
    list.words[1] = 1;    // leave a small list for the destructor's notices
}

TEST(InstanceRegistry, ACountBeyondTheSlotsIsTreatedAsAFullList)
{
    std::string name = TestName("overrun");
    CInstanceManager manager(name.c_str(), 1024);
    SharedList list(name);
    ASSERT_TRUE(list.Exists());
    MEMORY_BASIC_INFORMATION mbi = {};
    VirtualQuery(list.words, &mbi, sizeof(mbi));
    DWORD totalWords = (DWORD)(mbi.RegionSize / sizeof(DWORD));
    for (DWORD i = 0; i < 1000; ++i) list.words[2 + i] = 5000 + i;
    for (DWORD i = kListWords; i < totalWords; ++i) list.words[i] = 0xA5A5A5A5;    // beyond the slots
    list.words[1] = 0xFFFFFFFF;
    auto untouchedBeyondSlots = [&]() {
        for (DWORD i = kListWords; i < totalWords; ++i)
            if (list.words[i] != 0xA5A5A5A5) return false;
        return true;
    };

    EXPECT_EQ(1000, manager.GetInstanceCount());
    BOOL ok = FALSE;
    std::vector<DWORD> ids = Ids(manager, &ok);
    EXPECT_TRUE(ok);
    ASSERT_EQ(1000u, ids.size());
    EXPECT_EQ(5000u, ids[0]);
    EXPECT_EQ(5999u, ids[999]);

    EXPECT_FALSE(manager.AddInstance(424242));
    EXPECT_EQ(0xFFFFFFFFu, list.Count()) << "a refused registration changes nothing";
    EXPECT_FALSE(manager.RemoveInstance(424242));
    EXPECT_TRUE(untouchedBeyondSlots());

    EXPECT_TRUE(manager.RemoveInstance(5007));
    EXPECT_EQ(999u, list.Count());
    EXPECT_EQ(5008u, list.Slot(7));
    EXPECT_EQ(5999u, list.Slot(998));
    EXPECT_EQ(0u, list.Slot(999));
    EXPECT_TRUE(untouchedBeyondSlots()) << "something was written past the 1000 slots";

    list.words[1] = 1000;
    EXPECT_FALSE(manager.AddInstance(424242));
    EXPECT_TRUE(untouchedBeyondSlots());
    list.words[1] = 1;
}

TEST(InstanceRegistry, WithoutItsMutexTheManagerStaysOutOfTheList)
{
    std::string name = TestName("nomutex");
    // An object of another kind under the mutex's name makes the mutex impossible to create.
    HANDLE squatter = CreateEventA(nullptr, TRUE, FALSE, ("InstanceManager_InstanceList_Mutex_" + name).c_str());
    ASSERT_TRUE(squatter != nullptr);
    {
        CInstanceManager manager(name.c_str(), 1024);
        EXPECT_FALSE(SharedListExists(name)) << "no list is made without its lock";
        EXPECT_EQ(0, manager.GetInstanceCount());
        CDWordArray ids;
        ids.Add(42);
        EXPECT_FALSE(manager.GetInstanceIds(ids));
        ASSERT_EQ(1, ids.GetSize()) << "the array is left as it was";
        EXPECT_EQ(42u, ids[0]);
        EXPECT_FALSE(manager.AddInstance(123));
        EXPECT_FALSE(manager.RemoveInstance(GetCurrentProcessId()));
    }
    CloseHandle(squatter);
}

TEST(InstanceRegistry, CarriesItsRunTimeClass)
{
    CInstanceManager manager(TestName("class").c_str(), 0);
    CRuntimeClass* cls = manager.GetRuntimeClass();
    EXPECT_STREQ("CInstanceManager", cls->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CInstanceManager), cls->m_nObjectSize);
    EXPECT_EQ(0xFFFFu, cls->m_wSchema);
    EXPECT_TRUE(cls->m_pfnCreateObject == nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject), cls->m_pBaseClass);
    EXPECT_TRUE(manager.IsKindOf(RUNTIME_CLASS(CObject)));
}

}  // namespace
