// Any byte string as a message-table resource: the walk must stay inside it and end.
#include "catalogue/error_label.h"
#include "catalogue/message_table.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t count;
};

void Visit(void* context, MessageId id) {
    auto* input = static_cast<Input*>(context);
    ++input->count;
    // The entry of every visited identifier lies inside the input.
    std::uint16_t flags = 0;
    const char* text = nullptr;
    std::size_t length = 0;
    if (input->count <= 64) {
        if (!FindMessageEntry(input->data, input->size, id, &flags, &text, &length))
            std::abort();
        const auto* begin = reinterpret_cast<const char*>(input->data);
        if (text < begin || text + length > begin + input->size)
            std::abort();
    }
    char label[ErrorLabelSize];
    if (!FormatErrorLabel("MIDL", id, label))
        std::abort(); // every identifier fits with the longest prefix
}

// The formatter's lookup check: whatever it accepts, the platform's own lookup reads inside
// the table and finds a terminated 8-bit text.
void CheckFormattable(const std::uint8_t* data, std::size_t size, MessageId id) {
    if (!IsFormattableEntry(data, size, id))
        return;
    std::uint32_t blocks = 0;
    for (int i = 0; i < 4; ++i)
        blocks |= std::uint32_t(data[i]) << (8 * i);
    auto u32 = [&](std::size_t p) {
        return std::uint32_t(data[p]) | std::uint32_t(data[p + 1]) << 8 |
               std::uint32_t(data[p + 2]) << 16 | std::uint32_t(data[p + 3]) << 24;
    };
    for (std::uint32_t b = 0; b < blocks; ++b) {
        const std::size_t record = 4 + std::size_t(b) * 12;
        if (id < u32(record) || id > u32(record + 4))
            continue;
        std::size_t position = u32(record + 8);
        for (std::uint32_t step = id - u32(record); step > 0; --step)
            position += std::size_t(data[position] | data[position + 1] << 8);
        const std::size_t length = std::size_t(data[position] | data[position + 1] << 8);
        if (position + length > size || (data[position + 2] & 1) != 0)
            std::abort();
        for (std::size_t i = position + 4; data[i] != 0; ++i) // the formatter's strlen
            ;
        return;
    }
    std::abort(); // accepted, yet no block holds it
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Identifiers near the first block's range, where the lookups get interesting.
    if (size >= 16) {
        const MessageId low = MessageId(data[4]) | MessageId(data[5]) << 8 |
                              MessageId(data[6]) << 16 | MessageId(data[7]) << 24;
        for (MessageId offset = 0; offset < 4; ++offset)
            CheckFormattable(data, size, low + offset);
    }
    Input input{data, size, 0};
    if (WalkMessageTable(data, size, Visit, &input) != input.count)
        std::abort();
    return 0;
}
