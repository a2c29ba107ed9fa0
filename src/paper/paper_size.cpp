#include "paper/paper_size.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace varel {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

Paper PaperOfLocale(const std::string& localeName) {
    // "language_TERRITORY.codeset@modifier": the territory decides.
    const std::size_t underscore = localeName.find('_');
    if (underscore == std::string::npos) return Paper::A4;
    const std::string territory = localeName.substr(
        underscore + 1, localeName.find_first_of(".@", underscore) - underscore - 1);
    static const char* const kLetter[] = {"US", "CA", "MX", "PH", "PR", "BO", "CL",
                                          "CO", "CR", "GT", "NI", "PA", "SV", "VE"};
    for (const char* t : kLetter)
        if (territory == t) return Paper::Letter;
    return Paper::A4;
}

Paper DefaultPaper() {
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return PaperOfLocale(value);
    }
    return Paper::A4;
}

bool PaperFromName(const std::string& name, Paper& paper) {
    const std::string lower = Lower(name);
    if (lower == "a4")
        paper = Paper::A4;
    else if (lower == "letter")
        paper = Paper::Letter;
    else
        return false;
    return true;
}

}  // namespace varel
