#pragma once
// The one way the codec, the checks, the link and the command line write a text that exists in
// both languages: a Bilingual, English first. Texts made at run time put their numbers and
// values into the placeholders %1 to %9 of a Bilingual with format(), so that each language
// keeps its own word order. Texts that only the program's windows show are Qt translations
// instead (tr() and translations/varel_zh_CN.ts).
#include <string>
#include <vector>

namespace varel {

/// The interface language; the numeric values are what the program stores as its language flag.
enum class Language { Chinese = 0, English = 1 };

/// A text in both languages.
struct Bilingual {
    std::string en;  ///< English
    std::string zh;  ///< Chinese
    /// The text of a language.
    const std::string& in(Language lang) const { return lang == Language::English ? en : zh; }
    /// The text of a language with each placeholder %1 to %9 replaced by the argument of that
    /// number. A placeholder without an argument stays as written, and the arguments are put in
    /// as they are (a % inside an argument is not a placeholder).
    std::string format(Language lang, const std::vector<std::string>& args) const;
    bool operator==(const Bilingual& o) const { return en == o.en && zh == o.zh; }
};

}  // namespace varel
