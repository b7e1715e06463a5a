#include "unpack.h"
#include "outcome.h"
#include "payload.h"
#include "progress.h"
#include "LzmaDec.h"
#include <string.h>

#define CHUNK_SIZE 65536
#define PROGRESS_DELAY_MS 500
#define SETUP_NAME "setup.exe"

static void* AllocateForCoder(void*, size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
static void FreeForCoder(void*, void* block) { if (block) HeapFree(GetProcessHeap(), 0, block); }
static ISzAlloc s_coderMemory = { AllocateForCoder, FreeForCoder };

// Reads the unpacked file list as it comes, in pieces of any length, and writes the files.
struct FileWriter {
    enum State { NAME_LENGTH, NAME, FILE_LENGTH, CONTENTS, ENDED };
    State state;
    unsigned char field[MEMBER_NAME_MAX];
    size_t have, need;
    uint64_t contentsLeft;
    HANDLE file;
    wchar_t path[PATH_BUFFER];
    int folderLength;
    DWORD files;
    bool hasSetup;
};

static void Expect(FileWriter& writer, FileWriter::State state, size_t need)
{
    writer.state = state;
    writer.have = 0;
    writer.need = need;
}

// Makes the folders on the way to writer.path below the unpack folder; a folder made for an
// earlier file is used again.
static bool MakeFoldersOnTheWay(FileWriter& writer)
{
    for (wchar_t* ch = writer.path + writer.folderLength + 1; *ch; ch++) {
        if (*ch != L'\\') continue;
        *ch = 0;
        DWORD attributes = GetFileAttributesW(writer.path);
        bool made = (attributes != INVALID_FILE_ATTRIBUTES &&
                     (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == FILE_ATTRIBUTE_DIRECTORY) ||
                    CreateDirectoryW(writer.path, nullptr);
        if (!made) RecordFailure(L"unpacking", writer.path, GetLastError());
        *ch = L'\\';
        if (!made) return false;
    }
    return true;
}

// The name is complete: checked, then its file made new in the unpack folder.
static bool StartFile(FileWriter& writer)
{
    char name[MEMBER_NAME_MAX + 1];
    int nameLength = (int)writer.have;
    memcpy(name, writer.field, nameLength);
    name[nameLength] = 0;
    if (!IsSafeMemberName(name, nameLength)) {
        RecordDamage(L"the payload names a file outside its folder or one Windows refuses: \"%S\"", name);
        return false;
    }
    wchar_t* end = writer.path + writer.folderLength;
    *end++ = L'\\';
    int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name, nameLength, end,
                                         PATH_BUFFER - writer.folderLength - 2);
    if (wideLength <= 0) {
        RecordDamage(L"the payload holds a name that is not UTF-8");
        return false;
    }
    end[wideLength] = 0;
    writer.hasSetup |= lstrcmpiA(name, SETUP_NAME) == 0;
    if (!MakeFoldersOnTheWay(writer)) return false;
    writer.file = CreateFileW(writer.path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (writer.file == INVALID_HANDLE_VALUE) {
        RecordFailure(L"unpacking", writer.path, GetLastError());
        return false;
    }
    writer.files++;
    return true;
}

static void EndFile(FileWriter& writer)
{
    CloseHandle(writer.file);
    writer.file = INVALID_HANDLE_VALUE;
    Expect(writer, FileWriter::NAME_LENGTH, 2);
}

// The field being read is complete.
static bool EndField(FileWriter& writer)
{
    switch (writer.state) {
    case FileWriter::NAME_LENGTH: {
        size_t length = (size_t)ReadLittleEndian(writer.field, 2);
        if (length > MEMBER_NAME_MAX) {
            RecordDamage(L"the payload holds a name of %lu bytes", (DWORD)length);
            return false;
        }
        Expect(writer, length ? FileWriter::NAME : FileWriter::ENDED, length);
        return true;
    }
    case FileWriter::NAME:
        if (!StartFile(writer)) return false;
        Expect(writer, FileWriter::FILE_LENGTH, 8);
        return true;
    default:
        writer.contentsLeft = ReadLittleEndian(writer.field, 8);
        if (writer.contentsLeft) Expect(writer, FileWriter::CONTENTS, 0);
        else EndFile(writer);
        return true;
    }
}

static bool WriteUnpacked(FileWriter& writer, const Byte* data, size_t size)
{
    while (size > 0) {
        if (writer.state == FileWriter::ENDED) {
            RecordDamage(L"the payload goes on after its list of files");
            return false;
        }
        if (writer.state == FileWriter::CONTENTS) {
            DWORD part = writer.contentsLeft < size ? (DWORD)writer.contentsLeft : (DWORD)size;
            DWORD written;
            if (!WriteFile(writer.file, data, part, &written, nullptr) || written != part) {
                RecordFailure(L"unpacking", writer.path, GetLastError());
                return false;
            }
            data += part, size -= part;
            if ((writer.contentsLeft -= part) == 0) EndFile(writer);
            continue;
        }
        size_t part = writer.need - writer.have < size ? writer.need - writer.have : size;
        memcpy(writer.field + writer.have, data, part);
        writer.have += part, data += part, size -= part;
        if (writer.have == writer.need && !EndField(writer)) return false;
    }
    return true;
}

// Feeds the whole stream through the decoder into the writer; packed and unpacked are buffers of
// CHUNK_SIZE bytes.
static bool DecodeStream(const Bundle& bundle, CLzmaDec& decoder, FileWriter& writer, bool showProgress,
                         Byte* packed, Byte* unpacked)
{
    Byte header[STREAM_HEADER_SIZE];
    if (bundle.streamLength < STREAM_HEADER_SIZE || !ReadBundleBytes(bundle, bundle.streamOffset, header, sizeof header)) {
        RecordDamage(L"the payload's stream is too short");
        return false;
    }
    SRes result = LzmaDec_Allocate(&decoder, header, STREAM_PROPS_SIZE, &s_coderMemory);
    if (result != SZ_OK) {
        if (result == SZ_ERROR_MEM) RecordFailure(L"unpacking", L"LZMA", ERROR_NOT_ENOUGH_MEMORY);
        else RecordDamage(L"the payload's stream has properties no LZMA decoder takes");
        return false;
    }
    LzmaDec_Init(&decoder);
    uint64_t unpackedLeft = ReadLittleEndian(header + STREAM_PROPS_SIZE, 8);
    bool sizeKnown = unpackedLeft != STREAM_SIZE_UNKNOWN;
    uint64_t packedDone = STREAM_HEADER_SIZE;
    SizeT inPosition = 0, inSize = 0;
    DWORD started = GetTickCount();
    ProgressWindow progress = {};
    bool progressDue = showProgress;
    bool done = false;
    while (!done) {
        if (inPosition == inSize && packedDone < bundle.streamLength) {
            uint64_t left = bundle.streamLength - packedDone;
            inSize = left < CHUNK_SIZE ? (SizeT)left : CHUNK_SIZE;
            if (!ReadBundleBytes(bundle, bundle.streamOffset + packedDone, packed, (DWORD)inSize)) {
                RecordFailure(L"reading the payload", L"the setup file", GetLastError());
                break;
            }
            packedDone += inSize;
            inPosition = 0;
        }
        SizeT outSize = sizeKnown && unpackedLeft < CHUNK_SIZE ? (SizeT)unpackedLeft : CHUNK_SIZE;
        SizeT inUsed = inSize - inPosition;
        ELzmaStatus status;
        result = LzmaDec_DecodeToBuf(&decoder, unpacked, &outSize, packed + inPosition, &inUsed, LZMA_FINISH_ANY,
                                     &status);
        inPosition += inUsed;
        unpackedLeft -= outSize;
        if (result != SZ_OK) {
            RecordDamage(L"the payload's stream cannot be decoded");
            break;
        }
        if (!WriteUnpacked(writer, unpacked, outSize)) break;
        done = status == LZMA_STATUS_FINISHED_WITH_MARK || (sizeKnown && unpackedLeft == 0);
        if (!done && inUsed == 0 && outSize == 0 && packedDone == bundle.streamLength) {
            RecordDamage(L"the payload's stream ends early");
            break;
        }
        if (progressDue && GetTickCount() - started > PROGRESS_DELAY_MS) {
            ShowProgressWindow(progress);
            progressDue = false;
        }
        if (progress.frame) UpdateProgressWindow(progress, (unsigned)(packedDone * 100 / bundle.streamLength));
    }
    CloseProgressWindow(progress);
    if (!done) return false;
    if (inPosition != inSize || packedDone != bundle.streamLength) {
        RecordDamage(L"the payload's stream goes on after its end");
        return false;
    }
    return true;
}

bool UnpackPayload(const Bundle& bundle, const wchar_t* folder, bool showProgress)
{
    FileWriter writer;
    Expect(writer, FileWriter::NAME_LENGTH, 2);
    writer.file = INVALID_HANDLE_VALUE;
    writer.folderLength = lstrlenW(folder);
    lstrcpyW(writer.path, folder);
    writer.files = 0;
    writer.hasSetup = false;
    Byte* buffers = (Byte*)HeapAlloc(GetProcessHeap(), 0, 2 * CHUNK_SIZE);
    if (!buffers) {
        RecordFailure(L"unpacking", folder, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    CLzmaDec decoder;
    LzmaDec_Construct(&decoder);
    bool complete = DecodeStream(bundle, decoder, writer, showProgress, buffers, buffers + CHUNK_SIZE);
    LzmaDec_Free(&decoder, &s_coderMemory);
    HeapFree(GetProcessHeap(), 0, buffers);
    if (writer.file != INVALID_HANDLE_VALUE) CloseHandle(writer.file);
    if (complete && writer.state != FileWriter::ENDED) {
        RecordDamage(L"the payload's list of files ends early");
        complete = false;
    }
    if (complete && !writer.hasSetup) {
        RecordDamage(L"the payload holds no " SETUP_NAME);
        complete = false;
    }
    if (complete) LogStubLine(L"unpacked %lu files into %s", writer.files, folder);
    return complete;
}
