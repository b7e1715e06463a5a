// Damaged shared state: the machine-wide instance list with impossible counts, and a
// "WININIT.INI" rename section at and past the 16 KB working buffer. Every row: no crash, heaps
// intact, a count kept within the list's slots, an entry added whole or not at all, and nothing
// written outside the list and the section.
#include <gtest/gtest.h>
#include "hardsuite.h"
#include "engine/reboot.h"
#include "wininit.h"
#include "instance/instance.h"

// ---- Instance list -------------------------------------------------------------------------

struct InstanceRow {
    std::string name;
    DWORD count;         // written into the count word after this process registered
    int expectedCount;   // GetInstanceCount
    bool expectedAdd;    // AddInstance of one more id
};

static void PrintTo(const InstanceRow& row, std::ostream* out) { *out << row.name; }

class DamagedInstanceList : public ::testing::TestWithParam<InstanceRow> {};

TEST_P(DamagedInstanceList, StaysWithinItsSlots)
{
    const InstanceRow& row = GetParam();
    std::string name = "Glm.Hardening." + row.name;
    CInstanceManager manager(name.c_str(), 1024);

    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, ("InstanceManager_FileMap_" + name).c_str());
    ASSERT_NE(nullptr, mapping);
    MEMORY_BASIC_INFORMATION region;
    DWORD* view = (DWORD*)MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    ASSERT_NE(nullptr, view);
    ASSERT_NE(0u, VirtualQuery(view, &region, sizeof region));
    size_t words = region.RegionSize / 4;
    ASSERT_GE(words, 1002u + 16);
    ASSERT_EQ(1u, view[1]) << "this process registered itself";
    ASSERT_EQ(GetCurrentProcessId(), view[2]);
    // Slots of ids that run no window; everything behind the 1000 slots holds a pattern that
    // must survive.
    for (DWORD i = 1; i < 1000; i++) view[2 + i] = 0x7FFF0000 + i;
    for (size_t i = 1002; i < words; i++) view[i] = 0xA5A5A5A5;
    view[1] = row.count;

    EXPECT_EQ(row.expectedCount, manager.GetInstanceCount());
    CDWordArray ids;
    EXPECT_TRUE(manager.GetInstanceIds(ids));
    EXPECT_EQ(row.expectedCount, ids.GetSize());
    if (ids.GetSize() > 0) EXPECT_EQ(GetCurrentProcessId(), ids[0]);
    EXPECT_EQ(row.expectedAdd, (bool)manager.AddInstance(0x7FFFFFF0));
    EXPECT_TRUE(manager.RemoveInstance(GetCurrentProcessId())) << "this process stands in slot 0";
    EXPECT_LE(view[1], 1000u) << "the count after a removal";

    size_t damaged = 0;
    for (size_t i = 1002; i < words; i++)
        if (view[i] != 0xA5A5A5A5) damaged++;
    EXPECT_EQ(0u, damaged) << "words changed behind the 1000 slots";
    EXPECT_TRUE(HeapsIntact());
    UnmapViewOfFile(view);
    CloseHandle(mapping);
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedInstanceList,
                         ::testing::Values(InstanceRow{ "CountAllOnes", 0xFFFFFFFF, 1000, false },
                                           InstanceRow{ "CountOneTooMany", 1001, 1000, false },
                                           InstanceRow{ "CountFull", 1000, 1000, false },
                                           InstanceRow{ "CountHighBit", 0x80000001, 1000, false },
                                           InstanceRow{ "CountOneBelowFull", 999, 999, true }),
                         [](const ::testing::TestParamInfo<InstanceRow>& info) { return info.param.name; });

// ---- WININIT.INI ---------------------------------------------------------------------------

struct WininitRow {
    std::string name;
    std::vector<std::string> entries;  // the section before
    std::string path;                  // the file to delete at the next start
    bool added;                        // the entry is added (else the section stays as it was)
};

static void PrintTo(const WininitRow& row, std::ostream* out) { *out << row.name; }

static std::vector<std::string> Entries(size_t count, const std::string& pattern)
{
    std::vector<std::string> entries;
    for (size_t i = 0; i < count; i++) entries.push_back(pattern + std::to_string(100000 + i));
    return entries;
}

static size_t SectionBytes(const std::vector<std::string>& entries)
{
    size_t bytes = 0;
    for (const std::string& entry : entries) bytes += entry.size() + 1;
    return bytes;
}

static std::vector<WininitRow> WininitRows()
{
    std::string path259 = "C:\\" + Repeat('p', 256);
    // Short entries of 16374 bytes: with "NUL=C:\x", its NUL and the closing NUL the buffer of
    // 16384 bytes is full; one byte more does not fit.
    std::vector<std::string> tiny = Entries(1818, "a=");  // 9 bytes each with the NUL
    tiny.push_back("b=123456789");
    EXPECT_EQ(16374u, SectionBytes(tiny));
    std::vector<WininitRow> rows = {
        { "EmptySectionLongPath", {}, path259, true },
        { "OneEntryOf20Kilobytes", { "NUL=C:\\" + Repeat('h', 20000) }, "C:\\x.old", false },
        { "ManyTinyEntriesRoomForOne", tiny, "C:\\x", true },
        { "ManyTinyEntriesNoRoom", tiny, "C:\\xy", false },
        { "NearlyFullLongPath", Entries(1300, "NUL=C:\\"), path259, false },
    };
    return rows;
}

class WininitNearItsLimit : public ::testing::TestWithParam<WininitRow> {
protected:
    WininitBackup m_wininit;
};

TEST_P(WininitNearItsLimit, AddsWholeEntryOrNothing)
{
    const WininitRow& row = GetParam();
    WritePrivateProfileStringA("rename", nullptr, nullptr, "WININIT.INI");
    if (!row.entries.empty()) WriteWininitRenameSection(row.entries);
    std::vector<std::string> before = WininitRenameEntries();
    ASSERT_EQ(row.entries.size(), before.size()) << SectionBytes(row.entries) << " bytes written";

    EXPECT_EQ(row.added, (bool)AddWininitDeletion(row.path.c_str()));
    std::vector<std::string> expected = before;
    if (row.added) expected.push_back("NUL=" + row.path);
    std::vector<std::string> after = WininitRenameEntries();
    EXPECT_EQ(expected.size(), after.size());
    EXPECT_TRUE(expected == after) << "the section changed other than by the one new entry at its end";
    EXPECT_TRUE(HeapsIntact());
}

INSTANTIATE_TEST_SUITE_P(Rows, WininitNearItsLimit, ::testing::ValuesIn(WininitRows()),
                         [](const ::testing::TestParamInfo<WininitRow>& info) { return info.param.name; });
