#include "pefile.h"
#include <stdint.h>

#define RESOURCE_TYPE_STRING  6
#define RESOURCE_TYPE_VERSION 16
// The name of the version resource the version functions look for.
#define VERSION_RESOURCE_NAME 1
#define FIXED_INFO_SIGNATURE  0xFEEF04BDu
#define FIXED_INFO_SIZE       52

namespace {

// Bounded little-endian reads of a file's bytes: anything out of range reads as absent.
class Bytes {
public:
    explicit Bytes(const std::string& data) : m_data(data) {}
    bool Has(uint64_t offset, uint64_t length) const { return offset <= m_data.size() && length <= m_data.size() - offset; }
    uint32_t U16(uint64_t offset) const
    {
        if (!Has(offset, 2)) return 0;
        return (unsigned char)m_data[offset] | (unsigned char)m_data[offset + 1] << 8;
    }
    uint32_t U32(uint64_t offset) const { return Has(offset, 4) ? U16(offset) | U16(offset + 2) << 16 : 0; }

private:
    const std::string& m_data;
};

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

// The file offset of a relative virtual address, through the section that holds it; false when
// none does or its bytes are not in the file.
bool MapAddress(const Bytes& bytes, uint64_t sectionTable, unsigned sectionCount, uint32_t address,
                uint32_t length, uint64_t& offset)
{
    for (unsigned i = 0; i < sectionCount; i++) {
        uint64_t entry = sectionTable + 40ull * i;
        Section section = { bytes.U32(entry + 12), bytes.U32(entry + 8), bytes.U32(entry + 20), bytes.U32(entry + 16) };
        uint32_t extent = section.virtualSize > section.rawSize ? section.virtualSize : section.rawSize;
        if (address < section.virtualAddress || address - section.virtualAddress >= extent) continue;
        uint64_t within = address - section.virtualAddress;
        if (within + length > section.rawSize) return false;
        offset = section.rawOffset + within;
        return bytes.Has(offset, length);
    }
    return false;
}

// Where the section table and the data directories are; false when the bytes are no PE program.
struct PeHeaders {
    uint64_t sectionTable;
    unsigned sectionCount;
    uint64_t directories;
    uint32_t directoryCount;
};

bool ReadPeHeaders(const Bytes& bytes, PeHeaders& headers)
{
    if (bytes.U16(0) != 0x5A4D) return false;  // "MZ"
    uint64_t header = bytes.U32(0x3C);
    if (bytes.U32(header) != 0x00004550) return false;  // "PE\0\0"
    uint64_t fileHeader = header + 4;
    headers.sectionCount = bytes.U16(fileHeader + 2);
    uint64_t optional = fileHeader + 20;
    headers.sectionTable = optional + bytes.U16(fileHeader + 16);
    uint32_t magic = bytes.U16(optional);
    if (magic == 0x10B) {
        headers.directoryCount = bytes.U32(optional + 92);
        headers.directories = optional + 96;
    } else if (magic == 0x20B) {
        headers.directoryCount = bytes.U32(optional + 108);
        headers.directories = optional + 112;
    } else {
        return false;
    }
    return true;
}

class ResourceReader {
public:
    explicit ResourceReader(const std::string& file) : m_bytes(file), m_file(file) { Locate(); }

    // The data of the resource of that type and name, in the first language it has.
    bool Find(unsigned type, unsigned name, std::string& data) const
    {
        uint64_t level;
        if (!m_found || !FindEntry(m_root, type, level, true)) return false;
        uint64_t language;
        if (!FindEntry(level, name, language, true)) return false;
        uint64_t leaf;
        if (!FirstEntry(language, leaf)) return false;
        uint32_t address = m_bytes.U32(leaf), size = m_bytes.U32(leaf + 4);
        uint64_t offset;
        if (!MapAddress(m_bytes, m_sectionTable, m_sectionCount, address, size, offset)) return false;
        data = m_file.substr(offset, size);
        return true;
    }

private:
    const Bytes m_bytes;
    const std::string& m_file;
    bool m_found = false;
    uint64_t m_root = 0, m_sectionTable = 0;
    unsigned m_sectionCount = 0;

    void Locate()
    {
        PeHeaders headers;
        if (!ReadPeHeaders(m_bytes, headers) || headers.directoryCount < 3) return;
        m_sectionTable = headers.sectionTable;
        m_sectionCount = headers.sectionCount;
        uint32_t address = m_bytes.U32(headers.directories + 16), size = m_bytes.U32(headers.directories + 20);
        if (address == 0 || size < 16) return;
        m_found = MapAddress(m_bytes, m_sectionTable, m_sectionCount, address, 16, m_root);
    }

    // The entry of a directory whose id is that number; offset is where it points to, within the
    // resource section. subdirectory: the entry must point to a directory (else to a leaf).
    bool FindEntry(uint64_t directory, unsigned id, uint64_t& offset, bool subdirectory) const
    {
        unsigned named = m_bytes.U16(directory + 12), ids = m_bytes.U16(directory + 14);
        for (unsigned i = named; i < named + ids; i++) {
            uint64_t entry = directory + 16 + 8ull * i;
            if (!m_bytes.Has(entry, 8) || m_bytes.U32(entry) != id) continue;
            return Target(entry, subdirectory, offset);
        }
        return false;
    }

    bool FirstEntry(uint64_t directory, uint64_t& offset) const
    {
        unsigned count = m_bytes.U16(directory + 12) + m_bytes.U16(directory + 14);
        return count > 0 && Target(directory + 16, false, offset);
    }

    bool Target(uint64_t entry, bool subdirectory, uint64_t& offset) const
    {
        uint32_t target = m_bytes.U32(entry + 4);
        // The high bit marks a subdirectory; a leaf where a directory belongs (or the reverse) is
        // a damaged table.
        if (((target & 0x80000000u) != 0) != subdirectory) return false;
        offset = m_root + (target & 0x7FFFFFFFu);
        return m_bytes.Has(offset, 16);
    }
};

}  // namespace

bool ReadPeFileVersion(const std::string& file, PeVersion& version)
{
    std::string block;
    if (!ResourceReader(file).Find(RESOURCE_TYPE_VERSION, VERSION_RESOURCE_NAME, block)) return false;
    Bytes bytes(block);
    // The root block: its length, its value's length, its type, the key "VS_VERSION_INFO" and its
    // NUL as UTF-16, padding to 32 bits, then the value: the fixed part.
    uint32_t claimed = bytes.U16(0);
    uint32_t valueLength = bytes.U16(2);
    const uint64_t fixed = 40;
    uint64_t whole = claimed < block.size() ? claimed : block.size();
    if (valueLength < FIXED_INFO_SIZE || fixed + FIXED_INFO_SIZE > whole) return false;
    if (bytes.U32(fixed) != FIXED_INFO_SIGNATURE) return false;
    uint32_t most = bytes.U32(fixed + 8), least = bytes.U32(fixed + 12);
    version = { most >> 16, most & 0xFFFF, least >> 16, least & 0xFFFF };
    return true;
}

bool ReadPeString(const std::string& file, unsigned id, std::u16string& text)
{
    // Sixteen strings a block, each its length in UTF-16 units and its units.
    std::string block;
    if (!ResourceReader(file).Find(RESOURCE_TYPE_STRING, id / 16 + 1, block)) return false;
    Bytes bytes(block);
    uint64_t offset = 0;
    for (unsigned i = 0; i < id % 16; i++) {
        if (!bytes.Has(offset, 2)) return false;
        offset += 2 + 2ull * bytes.U16(offset);
    }
    if (!bytes.Has(offset, 2)) return false;
    uint32_t length = bytes.U16(offset);
    if (length == 0 || !bytes.Has(offset + 2, 2ull * length)) return false;
    text.clear();
    for (uint32_t i = 0; i < length; i++) text += (char16_t)bytes.U16(offset + 2 + 2ull * i);
    return true;
}

bool ReadPeLayout(const std::string& file, PeLayout& layout)
{
    Bytes bytes(file);
    PeHeaders headers;
    if (!ReadPeHeaders(bytes, headers) || !bytes.Has(headers.sectionTable, 40ull * headers.sectionCount)) return false;
    layout.sectionsEnd = 0;
    for (unsigned i = 0; i < headers.sectionCount; i++) {
        uint64_t entry = headers.sectionTable + 40ull * i;
        uint64_t rawSize = bytes.U32(entry + 16), end = bytes.U32(entry + 20) + rawSize;
        if (rawSize && end > layout.sectionsEnd) layout.sectionsEnd = end;
    }
    // The certificate table is the fifth data directory; its address is a file offset.
    layout.certificateSize = headers.directoryCount > 4 ? bytes.U32(headers.directories + 4 * 8 + 4) : 0;
    return true;
}
