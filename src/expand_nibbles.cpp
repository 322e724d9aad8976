#include "expand_nibbles.hpp"

#include "nibble_kernel.hpp"

#include <algorithm>
#include <memory>
#include <span>

namespace nybblex {

expand_status expand_nibbles(std::FILE* source, std::FILE* destination) {
    return expand_nibbles(source, destination, expand_block_bytes);
}

expand_status expand_nibbles(std::FILE* source, std::FILE* destination, std::size_t block_bytes) {
    // An empty block would never reach the end of the source.
    block_bytes = std::max<std::size_t>(block_bytes, 1);
    // One allocation per call, sized by the block and not by the file.
    const auto packed = std::make_unique_for_overwrite<unsigned char[]>(block_bytes);
    const auto unpacked = std::make_unique_for_overwrite<unsigned char[]>(2 * block_bytes);

    for (;;) {
        // fread only returns short at the end of the data or on an error, and the bytes
        // it did return are good either way, so they are written before deciding.
        const std::size_t got = std::fread(packed.get(), 1, block_bytes, source);
        if (got > 0) {
            expand_block({packed.get(), got}, {unpacked.get(), 2 * got});
            if (std::fwrite(unpacked.get(), 1, 2 * got, destination) != 2 * got) {
                return expand_status::write_failed;
            }
        }
        if (got < block_bytes) {
            return std::ferror(source) != 0 ? expand_status::read_failed : expand_status::ok;
        }
    }
}

} // namespace nybblex
