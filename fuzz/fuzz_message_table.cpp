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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input{data, size, 0};
    if (WalkMessageTable(data, size, Visit, &input) != input.count)
        std::abort();
    return 0;
}
