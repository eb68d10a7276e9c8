// Any byte string as a formatted message text: the split must stay inside it and its parts
// must tile the text in order.
#include "catalogue/error_text.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    const ErrorTextParts parts = SplitErrorText(text, size);
    const char* end = text + size;
    const bool inside = parts.shortText >= text && parts.shortText + parts.shortLength <= end &&
                        parts.description >= parts.shortText + parts.shortLength &&
                        parts.description + parts.descriptionLength == end;
    if (!inside || parts.typeWord == nullptr)
        std::abort();
    for (std::size_t i = 0; i < parts.shortLength; ++i)
        if (static_cast<unsigned char>(parts.shortText[i]) == ErrorTextSeparator)
            std::abort();
    return 0;
}
