#include "bundle.h"
#include "pefile.h"
#include "stub/payload.h"
#include "stub/sha256.h"
#include "LzmaEnc.h"
#include <stdlib.h>
#include <set>

// The stub's decoder holds the whole dictionary in memory: the package's size, at most this.
#define LARGEST_DICTIONARY (1u << 26)
#define SMALLEST_DICTIONARY (1u << 16)

static void* AllocateForCoder(void*, size_t size) { return malloc(size); }
static void FreeForCoder(void*, void* block) { free(block); }
static ISzAlloc s_coderMemory = { AllocateForCoder, FreeForCoder };

static std::string FoldCase(std::string text)
{
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = (char)(ch - 'A' + 'a');
    return text;
}

bool ListBundleMembers(const Package& package, std::vector<BundleMember>& members, std::string& reason)
{
    size_t prefix = JoinNativePath(package.folder, "").size();
    std::set<std::string> folded;
    for (const PackageEntry& entry : package.entries) {
        if (entry.folder) continue;
        BundleMember member = { entry.path.substr(prefix), entry.path };
        for (char& ch : member.name)
            if (ch == '/') ch = '\\';
        if (!IsSafeMemberName(member.name.data(), member.name.size())) {
            reason = "the name \"" + member.name + "\" cannot go into a bundle: the stub refuses names outside its "
                     "folder and names Windows refuses";
            return false;
        }
        if (!folded.insert(FoldCase(member.name)).second) {
            reason = "\"" + member.name + "\" differs from another name only in letter case, and Windows takes both for one";
            return false;
        }
        members.push_back(member);
    }
    return true;
}

static void AppendNumber(std::string& bytes, int count, uint64_t value)
{
    unsigned char field[8];
    WriteLittleEndian(field, count, value);
    bytes.append((const char*)field, count);
}

// The stream in the .lzma form: the coder's properties, the unpacked length, the coded data.
static bool CodeStream(const std::string& list, std::string& stream, std::string& reason)
{
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = 9;
    props.dictSize = SMALLEST_DICTIONARY;
    while (props.dictSize < list.size() && props.dictSize < LARGEST_DICTIONARY) props.dictSize <<= 1;
    props.fb = 273;
    props.numThreads = 1;
    SizeT codedSize = list.size() + list.size() / 2 + 4096;
    std::string coded(codedSize, '\0');
    Byte properties[STREAM_PROPS_SIZE];
    SizeT propertiesSize = sizeof properties;
    SRes result = LzmaEncode((Byte*)&coded[0], &codedSize, (const Byte*)list.data(), list.size(), &props, properties,
                             &propertiesSize, 0, nullptr, &s_coderMemory, &s_coderMemory);
    if (result != SZ_OK || propertiesSize != STREAM_PROPS_SIZE) {
        reason = "the LZMA coder failed (" + std::to_string(result) + ")";
        return false;
    }
    stream.assign((const char*)properties, STREAM_PROPS_SIZE);
    AppendNumber(stream, 8, list.size());
    stream.append(coded, 0, codedSize);
    return true;
}

bool MakePayload(const std::vector<BundleMember>& members, std::string& payload, std::string& reason)
{
    std::string list;
    for (const BundleMember& member : members) {
        std::string contents;
        if (!ReadWholeFile(member.path, contents)) {
            reason = "cannot read " + member.path;
            return false;
        }
        AppendNumber(list, 2, member.name.size());
        list += member.name;
        AppendNumber(list, 8, contents.size());
        list += contents;
    }
    AppendNumber(list, 2, 0);
    std::string stream;
    if (!CodeStream(list, stream, reason)) return false;
    Sha256 hash;
    StartSha256(hash);
    AddToSha256(hash, stream.data(), stream.size());
    unsigned char digest[SHA256_SIZE];
    FinishSha256(hash, digest);
    payload.assign(PAYLOAD_MAGIC, PAYLOAD_MAGIC_SIZE);
    AppendNumber(payload, 8, stream.size());
    payload.append((const char*)digest, SHA256_SIZE);
    payload += stream;
    return true;
}

bool CheckStubProgram(const std::string& stub, std::string& reason)
{
    PeLayout layout;
    if (!ReadPeLayout(stub, layout)) {
        reason = "it is no Windows program";
    } else if (layout.certificateSize) {
        reason = "it is signed; sign the bundle instead, after the payload is appended";
    } else if (layout.sectionsEnd != stub.size()) {
        reason = "its file goes on after its last section (" + std::to_string(stub.size()) + " bytes, sections end at " +
                 std::to_string(layout.sectionsEnd) + "): it already carries something";
    } else {
        return true;
    }
    return false;
}

std::string JoinBundle(const std::string& stub, const std::string& payload)
{
    std::string bundle = stub + payload;
    bundle.append((PAYLOAD_ALIGNMENT - bundle.size() % PAYLOAD_ALIGNMENT) % PAYLOAD_ALIGNMENT, '\0');
    return bundle;
}
