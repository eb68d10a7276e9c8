#include "catalogue/message_table.h"

namespace {

constexpr std::uint16_t UnicodeEntryFlag = 1;
constexpr std::size_t BlockRecordSize = 12;
constexpr std::size_t EntryHeaderSize = 4;

std::uint32_t Read32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t Read16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

bool Fits(std::uint64_t position, std::uint64_t length, std::size_t size) {
    return position <= size && length <= size - position;
}

struct Entry {
    MessageId id;
    std::uint16_t flags;
    std::size_t position; // of the header
    std::uint16_t length;
};

// Calls visit for every entry that lies inside the resource, UTF-16 ones included (the walk
// then ends that block); visit returns false to end the whole walk.
template <typename Visit>
void WalkEntries(const unsigned char* data, std::size_t size, Visit visit) {
    if (data == nullptr || size < 4)
        return;
    const std::uint32_t blockCount = Read32(data);
    for (std::uint64_t block = 0; block < blockCount; ++block) {
        const std::uint64_t record = 4 + block * BlockRecordSize;
        if (!Fits(record, BlockRecordSize, size))
            return;
        MessageId id = Read32(data + record);
        const std::uint32_t high = Read32(data + record + 4);
        std::uint64_t position = Read32(data + record + 8);
        // As in the platform's own reader: high - low + 1 in 32 bits.
        std::uint32_t remaining = high - id + 1;
        while (remaining != 0) {
            // A zero length word is padding: the header follows two bytes later.
            if (!Fits(position, 2, size))
                break;
            if (Read16(data + position) == 0)
                position += 2;
            if (!Fits(position, EntryHeaderSize, size))
                break;
            const std::uint16_t length = Read16(data + position);
            const std::uint16_t flags = Read16(data + position + 2);
            // An entry shorter than its own header is no entry: zero bytes past the real
            // end of a cut file would otherwise read as a long run of tiny entries.
            if (length < EntryHeaderSize || !Fits(position, length, size))
                break;
            if (!visit(Entry{id, flags, static_cast<std::size_t>(position), length}))
                return;
            if (flags == UnicodeEntryFlag)
                break;
            ++id;
            position += length;
            --remaining;
        }
    }
}

} // namespace

bool FindMessageEntry(const unsigned char* data, std::size_t size, MessageId id,
                      std::uint16_t* flags, const char** text, std::size_t* length) {
    bool found = false;
    WalkEntries(data, size, [&](const Entry& entry) {
        if (entry.id != id)
            return true;
        found = true;
        *flags = entry.flags;
        *text = reinterpret_cast<const char*>(data + entry.position + EntryHeaderSize);
        const std::size_t room =
            entry.length > EntryHeaderSize ? entry.length - EntryHeaderSize : 0;
        std::size_t n = 0;
        while (n < room && (*text)[n] != '\0')
            ++n;
        *length = n;
        return false;
    });
    return found;
}

bool IsFormattableEntry(const unsigned char* data, std::size_t size, MessageId id) {
    if (data == nullptr || size < 4)
        return false;
    const std::uint32_t blockCount = Read32(data);
    for (std::uint64_t block = 0; block < blockCount; ++block) {
        const std::uint64_t record = 4 + block * BlockRecordSize;
        if (!Fits(record, BlockRecordSize, size))
            return false;
        const MessageId low = Read32(data + record);
        if (id < low || id > Read32(data + record + 4))
            continue;
        // The formatter takes the first block that holds the identifier and steps through its
        // entries by their lengths alone: no padding word, no look at the flags.
        std::uint64_t position = Read32(data + record + 8);
        for (std::uint32_t step = id - low;; --step) {
            if (!Fits(position, EntryHeaderSize, size))
                return false;
            const std::uint16_t length = Read16(data + position);
            if (length < EntryHeaderSize || !Fits(position, length, size))
                return false;
            if (step == 0) {
                if ((Read16(data + position + 2) & UnicodeEntryFlag) != 0)
                    return false;
                for (std::uint64_t i = position + EntryHeaderSize; i < position + length; ++i)
                    if (data[i] == 0)
                        return true;
                return false;
            }
            position += length;
        }
    }
    return false;
}

std::size_t WalkMessageTable(const unsigned char* data, std::size_t size, MessageVisitor visit,
                             void* context) {
    std::size_t visited = 0;
    WalkEntries(data, size, [&](const Entry& entry) {
        if (entry.flags != UnicodeEntryFlag) {
            visit(context, entry.id);
            ++visited;
        }
        return true;
    });
    return visited;
}
