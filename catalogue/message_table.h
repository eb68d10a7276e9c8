// Bounded walk of a message-table resource (little-endian):
//   u32 block count; count x {u32 low, u32 high, u32 offset};
//   per block, consecutive entries {u16 length incl. header, u16 flags, text}.
// Every read is checked against the resource size: a record or entry that would lie outside
// ends its block (or, for block records, the table); what was visited before stays visited.
// Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

using MessageId = std::uint32_t;

// Called once per 8-bit entry, in table order.
using MessageVisitor = void (*)(void* context, MessageId id);

// Returns the number of entries visited.
std::size_t WalkMessageTable(const unsigned char* data, std::size_t size, MessageVisitor visit,
                             void* context);

// Whether the platform's message formatter can read the entry of id without leaving the
// table: its own lookup (the first block whose range holds id, then entry lengths) reaches an
// entry inside the table, at least a header long, with 8-bit text and a zero byte within it.
bool IsFormattableEntry(const unsigned char* data, std::size_t size, MessageId id);

// The entry of one identifier, found by the same bounded walk. False when the table has no
// entry for it; flags and the text (up to its first zero byte, inside the entry) otherwise.
bool FindMessageEntry(const unsigned char* data, std::size_t size, MessageId id,
                      std::uint16_t* flags, const char** text, std::size_t* length);
