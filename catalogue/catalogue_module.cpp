#include "catalogue/catalogue.h"

#include "catalogue/resource_directory.h"

namespace {

bool IsReadable(const MEMORY_BASIC_INFORMATION& region) {
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return region.State == MEM_COMMIT && (region.Protect & readable) != 0 &&
           (region.Protect & (PAGE_GUARD | PAGE_NOACCESS)) == 0;
}

// Bytes from start that can be read, counting consecutive readable regions of one mapping, up
// to limit. A file shorter than its headers claim is mapped only as far as it goes.
size_t ReadableBytes(const unsigned char* start, size_t limit) {
    size_t readable = 0;
    const void* allocation = nullptr;
    while (readable < limit) {
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQuery(start + readable, &region, sizeof region) != sizeof region ||
            !IsReadable(region))
            break;
        if (allocation == nullptr)
            allocation = region.AllocationBase;
        else if (region.AllocationBase != allocation)
            break;
        const auto* end = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
        readable = static_cast<size_t>(end - start);
    }
    return readable < limit ? readable : limit;
}

} // namespace

bool OpenMessageTable(HMODULE module, MessageTable* table) {
    *table = MessageTable{nullptr, nullptr, 0};
    // A data-file handle carries its mapping's address with a flag in the low bits: 1 for the
    // file's own layout, 2 for an image layout.
    const UINT_PTR handle = reinterpret_cast<UINT_PTR>(module);
    const auto* base = reinterpret_cast<const unsigned char*>(handle & ~UINT_PTR(3));
    const size_t mapped = ReadableBytes(base, ~size_t(0));
    if (base == nullptr ||
        !IsMessageTableDirectorySound(base, mapped,
                                      (handle & 2) != 0 ? ModuleLayout::Image : ModuleLayout::File))
        return false;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(11));
    if (found == nullptr)
        return false;
    const DWORD declared = SizeofResource(module, found);
    table->resource = LoadResource(module, found);
    const auto* data = static_cast<const unsigned char*>(
        table->resource != nullptr ? LockResource(table->resource) : nullptr);
    if (data == nullptr || data < base || data >= base + mapped) {
        CloseMessageTable(table);
        return false;
    }
    table->data = data;
    table->size = ReadableBytes(data, declared);
    return true;
}

void CloseMessageTable(MessageTable* table) {
    if (table->resource != nullptr)
        FreeResource(table->resource);
    *table = MessageTable{nullptr, nullptr, 0};
}
