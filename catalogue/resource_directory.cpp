#include "catalogue/resource_directory.h"

#include <cstdint>

namespace {

constexpr std::uint16_t MzSignature = 0x5A4D;
constexpr std::uint32_t PeSignature = 0x00004550;
constexpr std::uint16_t Pe32Magic = 0x10B;
constexpr std::uint16_t Pe32PlusMagic = 0x20B;
constexpr std::uint32_t ResourceDirectoryIndex = 2;
constexpr std::uint16_t MessageTableType = 11;
constexpr std::uint16_t MessageTableName = 1;
constexpr std::uint32_t SubdirectoryFlag = 0x80000000u;
constexpr std::uint64_t DirectoryHeaderSize = 16;
constexpr std::uint64_t DirectoryEntrySize = 8;
constexpr std::uint64_t DataEntrySize = 16;
constexpr std::uint64_t SectionHeaderSize = 40;

struct Module {
    const unsigned char* data;
    std::uint64_t size;
    ModuleLayout layout;
    std::uint64_t sections; // offset of the first section header
    std::uint16_t sectionCount;
    std::uint32_t sizeOfHeaders;

    bool Fits(std::uint64_t position, std::uint64_t length) const {
        return position <= size && length <= size - position;
    }
    std::uint16_t U16(std::uint64_t p) const {
        return static_cast<std::uint16_t>(data[p] | data[p + 1] << 8);
    }
    std::uint32_t U32(std::uint64_t p) const {
        return std::uint32_t(data[p]) | std::uint32_t(data[p + 1]) << 8 |
               std::uint32_t(data[p + 2]) << 16 | std::uint32_t(data[p + 3]) << 24;
    }
};

// A relative virtual address as the loader resolves it for a data-file mapping: the first
// section whose raw data holds it (32-bit arithmetic, as the loader's), at its file offset.
bool ResolveRva(const Module& m, std::uint32_t rva, std::uint64_t* offset) {
    if (m.layout == ModuleLayout::Image) {
        *offset = rva;
        return true;
    }
    for (std::uint32_t i = 0; i < m.sectionCount; ++i) {
        const std::uint64_t header = m.sections + i * SectionHeaderSize;
        if (!m.Fits(header, SectionHeaderSize))
            return false;
        const std::uint32_t address = m.U32(header + 12);
        const std::uint32_t rawSize = m.U32(header + 16);
        if (address <= rva && static_cast<std::uint32_t>(address + rawSize) > rva) {
            *offset = std::uint64_t(m.U32(header + 20)) + (rva - address);
            return true;
        }
    }
    return false;
}

// A directory's header and all of its entries lie inside; its entry count otherwise.
bool DirectoryEntries(const Module& m, std::uint64_t directory, std::uint32_t* named,
                      std::uint32_t* total) {
    if (!m.Fits(directory, DirectoryHeaderSize))
        return false;
    *named = m.U16(directory + 12);
    *total = *named + m.U16(directory + 14);
    return m.Fits(directory + DirectoryHeaderSize, *total * DirectoryEntrySize);
}

// The subdirectory the platform's search by identifier reaches. It searches the identifier
// entries only and compares their low 16 bits; a table is one resource, so more than one
// match is not a module of ours.
bool FindSubdirectory(const Module& m, std::uint64_t root, std::uint64_t directory,
                      std::uint16_t id, std::uint64_t* found) {
    std::uint32_t named = 0, total = 0;
    if (!DirectoryEntries(m, directory, &named, &total))
        return false;
    int matches = 0;
    for (std::uint32_t i = named; i < total; ++i) {
        const std::uint64_t entry = directory + DirectoryHeaderSize + i * DirectoryEntrySize;
        if (static_cast<std::uint16_t>(m.U32(entry)) != id)
            continue;
        const std::uint32_t target = m.U32(entry + 4);
        if ((target & SubdirectoryFlag) == 0 || ++matches > 1)
            return false;
        *found = root + (target & ~SubdirectoryFlag);
    }
    return matches == 1;
}

// Every data entry of the language level: the platform may take any of them (its language
// search, then simply the first).
bool LanguageEntriesSound(const Module& m, std::uint64_t root, std::uint64_t directory) {
    std::uint32_t named = 0, total = 0;
    if (!DirectoryEntries(m, directory, &named, &total) || total == 0)
        return false;
    for (std::uint32_t i = 0; i < total; ++i) {
        const std::uint32_t target =
            m.U32(directory + DirectoryHeaderSize + i * DirectoryEntrySize + 4);
        if ((target & SubdirectoryFlag) != 0)
            continue; // never taken where data is wanted
        const std::uint64_t dataEntry = root + target;
        std::uint64_t data = 0;
        if (!m.Fits(dataEntry, DataEntrySize) || !ResolveRva(m, m.U32(dataEntry), &data) ||
            data >= m.size)
            return false;
    }
    return true;
}

} // namespace

bool IsMessageTableDirectorySound(const unsigned char* image, std::size_t size,
                                  ModuleLayout layout) {
    Module m{image, size, layout, 0, 0, 0};
    if (image == nullptr || !m.Fits(0, 64) || m.U16(0) != MzSignature)
        return false;
    const std::uint64_t nt = m.U32(0x3C);
    if (!m.Fits(nt, 24) || m.U32(nt) != PeSignature)
        return false;
    m.sectionCount = m.U16(nt + 6);
    const std::uint64_t optional = nt + 24;
    m.sections = optional + m.U16(nt + 20);
    if (!m.Fits(optional, 2))
        return false;
    std::uint64_t directories = 0;
    switch (m.U16(optional)) {
    case Pe32Magic:
        directories = optional + 96;
        break;
    case Pe32PlusMagic:
        directories = optional + 112;
        break;
    default:
        return false;
    }
    const std::uint64_t resourceSlot = directories + ResourceDirectoryIndex * 8;
    if (!m.Fits(optional + 60, 4) || !m.Fits(directories - 4, 4) || !m.Fits(resourceSlot, 8) ||
        m.U32(directories - 4) <= ResourceDirectoryIndex)
        return false;
    m.sizeOfHeaders = m.U32(optional + 60);
    const std::uint32_t rootRva = m.U32(resourceSlot);
    if (rootRva == 0 || m.U32(resourceSlot + 4) < DirectoryHeaderSize)
        return false;
    std::uint64_t root = rootRva;
    if (layout == ModuleLayout::File && rootRva >= m.sizeOfHeaders &&
        !ResolveRva(m, rootRva, &root))
        return false;
    std::uint64_t names = 0, languages = 0;
    return FindSubdirectory(m, root, root, MessageTableType, &names) &&
           FindSubdirectory(m, root, names, MessageTableName, &languages) &&
           LanguageEntriesSound(m, root, languages);
}
