// Any byte string as a message-table resource: the walk must stay inside it and end.
#include "catalogue/error_label.h"
#include "catalogue/message_table.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Visit(void* context, MessageId id) {
    auto* count = static_cast<std::size_t*>(context);
    ++*count;
    char label[ErrorLabelSize];
    if (!FormatErrorLabel("MIDL", id, label))
        std::abort(); // every identifier fits with the longest prefix
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t count = 0;
    if (WalkMessageTable(data, size, Visit, &count) != count)
        std::abort();
    return 0;
}
