#include "bundle.h"
#include "outcome.h"
#include "payload.h"
#include "sha256.h"
#include <string.h>

#define CHUNK_SIZE 65536

bool ReadBundleBytes(const Bundle& bundle, uint64_t offset, void* buffer, DWORD size)
{
    OVERLAPPED at = {};
    at.Offset = (DWORD)offset;
    at.OffsetHigh = (DWORD)(offset >> 32);
    DWORD read;
    return ReadFile(bundle.file, buffer, size, &read, &at) && read == size;
}

// The payload's place from the program's own headers as loaded: it starts after the last
// section's data and ends where a signature's certificate table starts, else at the file's end.
// tableEnd: where the certificate table ends, the file's end without one.
static void FindPayloadPlace(uint64_t fileSize, uint64_t& start, uint64_t& end, uint64_t& tableEnd)
{
    const BYTE* image = (const BYTE*)GetModuleHandleW(nullptr);
    const IMAGE_NT_HEADERS* headers = (const IMAGE_NT_HEADERS*)(image + ((const IMAGE_DOS_HEADER*)image)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    start = 0;
    for (int i = 0; i < headers->FileHeader.NumberOfSections; i++, section++) {
        uint64_t sectionEnd = (uint64_t)section->PointerToRawData + section->SizeOfRawData;
        if (section->SizeOfRawData && sectionEnd > start) start = sectionEnd;
    }
    const IMAGE_DATA_DIRECTORY& certificates = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_SECURITY];
    end = certificates.Size ? certificates.VirtualAddress : fileSize;
    tableEnd = certificates.Size ? (uint64_t)certificates.VirtualAddress + certificates.Size : fileSize;
}

// The stream's SHA-256 against the one the header holds.
static bool CheckStream(const Bundle& bundle, const unsigned char* expected)
{
    unsigned char* chunk = (unsigned char*)HeapAlloc(GetProcessHeap(), 0, CHUNK_SIZE);
    if (!chunk) {
        RecordFailure(L"reading the payload", L"SHA-256", ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    Sha256 hash;
    StartSha256(hash);
    bool read = true;
    for (uint64_t done = 0; read && done < bundle.streamLength;) {
        DWORD size = bundle.streamLength - done < CHUNK_SIZE ? (DWORD)(bundle.streamLength - done) : CHUNK_SIZE;
        read = ReadBundleBytes(bundle, bundle.streamOffset + done, chunk, size);
        AddToSha256(hash, chunk, size);
        done += size;
    }
    HeapFree(GetProcessHeap(), 0, chunk);
    if (!read) {
        RecordFailure(L"reading the payload", L"the setup file", GetLastError());
        return false;
    }
    unsigned char digest[SHA256_SIZE];
    FinishSha256(hash, digest);
    for (int i = 0; i < SHA256_SIZE; i++)
        if (digest[i] != expected[i]) {
            RecordDamage(L"the payload's SHA-256 does not match: its contents were changed");
            return false;
        }
    return true;
}

bool OpenBundle(const wchar_t* path, Bundle& bundle)
{
    bundle.file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                              nullptr);
    if (bundle.file == INVALID_HANDLE_VALUE) {
        RecordFailure(L"opening the setup file", path, GetLastError());
        return false;
    }
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(bundle.file, &fileSize)) {
        RecordFailure(L"opening the setup file", path, GetLastError());
        return false;
    }
    uint64_t start, end, tableEnd;
    FindPayloadPlace(fileSize.QuadPart, start, end, tableEnd);
    unsigned char header[PAYLOAD_HEADER_SIZE];
    if (tableEnd != (uint64_t)fileSize.QuadPart) {
        RecordDamage(L"the file is cut off or has grown: it has %lu bytes, its signature ends at %lu",
                     (DWORD)fileSize.QuadPart, (DWORD)tableEnd);
        return false;
    }
    if (end < start + PAYLOAD_HEADER_SIZE || !ReadBundleBytes(bundle, start, header, sizeof header) ||
        memcmp(header, PAYLOAD_MAGIC, PAYLOAD_MAGIC_SIZE) != 0) {
        RecordDamage(L"the file holds no payload after its program (%lu bytes, payload from %lu)",
                     (DWORD)fileSize.QuadPart, (DWORD)start);
        return false;
    }
    bundle.streamOffset = start + PAYLOAD_HEADER_SIZE;
    bundle.streamLength = ReadLittleEndian(header + PAYLOAD_MAGIC_SIZE, 8);
    uint64_t there = end - bundle.streamOffset;
    if (bundle.streamLength > there || there - bundle.streamLength >= PAYLOAD_ALIGNMENT) {
        RecordDamage(L"the file is cut off or too long: the payload's stream has %lu bytes of %lu", (DWORD)there,
                     (DWORD)bundle.streamLength);
        return false;
    }
    if (!CheckStream(bundle, header + PAYLOAD_MAGIC_SIZE + 8)) return false;
    LogStubLine(L"payload: %lu bytes, SHA-256 checked", (DWORD)bundle.streamLength);
    return true;
}
