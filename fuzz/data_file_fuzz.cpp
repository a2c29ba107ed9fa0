// Arbitrary bytes as a data file: a file that is accepted must decode, encode, and reach a
// fixed point after one decode-encode pass.
#include <cstdint>
#include <cstdlib>

#include "files/data_file.h"
#include "image/image_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    varel::MemoryImage in;
    if (!varel::ParseDataFile(data, size, in).ok()) return 0;
    // The header bytes after the identifier are ignored on reading; one of them picks the
    // language of the decoded texts.
    const varel::Language lang =
        (data[6] & 1) != 0 ? varel::Language::English : varel::Language::Chinese;

    varel::Configuration first;
    varel::DecodeImage(in, first, lang);
    varel::MemoryImage once;
    varel::EncodeImage(first, once);

    varel::Configuration second;
    varel::DecodeImage(once, second, lang);
    varel::MemoryImage twice;
    varel::EncodeImage(second, twice);

    if (twice != once) std::abort();
    return 0;
}
