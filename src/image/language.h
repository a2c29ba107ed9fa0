#pragma once
#include <string>

namespace varel {

/// The interface language; the numeric values are what the program stores as its language flag.
enum class Language { Chinese = 0, English = 1 };

/// Picks the text of the given language from a Chinese/English pair.
inline const char* Pick(Language lang, const char* chinese, const char* english) {
    return lang == Language::English ? english : chinese;
}

/// A text in both languages.
struct Bilingual {
    std::string en;  ///< English
    std::string zh;  ///< Chinese
    /// The text of a language.
    const std::string& in(Language lang) const { return lang == Language::English ? en : zh; }
    bool operator==(const Bilingual& o) const { return en == o.en && zh == o.zh; }
};

}  // namespace varel
