// Feeds arbitrary bytes to the action-file reader. Besides crashes and
// sanitizer reports it stops on a reader that contradicts itself: the walk
// with and without collecting strings must agree, and every reported string
// must lie inside the bytes.
#include <cstddef>
#include <cstdint>
#include <span>

#include "atnformat/actionfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const atnformat::ActionFile file = atnformat::readActionFile(bytes);
    const auto checked = atnformat::checkActionFile(bytes);
    if (checked.has_value() != file.error.has_value())
        __builtin_trap();
    if (checked && (checked->offset != file.error->offset || checked->offset > size))
        __builtin_trap();
    for (const atnformat::StoredString &s : file.strings) {
        if (s.offset + 4 + 2ULL * s.units > size)
            __builtin_trap();
    }
    return 0;
}
