// Arbitrary bytes as a configuration text: the reader must refuse them with a line or build a
// data file, and a data file it built must come back from its own text unchanged, the text
// written again line for line the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "textconf/text_reader.h"
#include "textconf/text_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto read = varel::textconf::ImportText(text, varel::Language::English);
    if (!read.ok) {
        if (read.line < 1 || read.problem.empty()) std::abort();
        return 0;
    }
    const std::string written = varel::textconf::ExportText(read.file);
    const auto again = varel::textconf::ImportText(written, varel::Language::Chinese);
    if (!again.ok || again.file != read.file) std::abort();
    if (varel::textconf::ExportText(again.file) != written) std::abort();
    return 0;
}
