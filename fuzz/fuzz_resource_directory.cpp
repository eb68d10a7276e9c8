// Any byte string as a module mapped for its resources: the directory check must stay inside
// it and end, in either layout.
#include "catalogue/resource_directory.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IsMessageTableDirectorySound(data, size, ModuleLayout::File);
    IsMessageTableDirectorySound(data, size, ModuleLayout::Image);
    return 0;
}
