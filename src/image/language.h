#pragma once

namespace varel {

/// The interface language; the numeric values are what the program stores as its language flag.
enum class Language { Chinese = 0, English = 1 };

/// Picks the text of the given language from a Chinese/English pair.
inline const char* Pick(Language lang, const char* chinese, const char* english) {
    return lang == Language::English ? english : chinese;
}

}  // namespace varel
