#include "image/language.h"

namespace varel {

std::string Bilingual::format(Language lang, const std::vector<std::string>& args) const {
    const std::string& pattern = in(lang);
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto number = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && number < args.size()) {
            text += args[number];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace varel
