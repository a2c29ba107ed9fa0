#pragma once
// The paper a configuration is printed on: A4, or Letter where the user's locale uses it.
#include <string>

namespace varel {

/// The paper sizes of the printed pages.
enum class Paper { A4, Letter };

/// The paper of a locale name ("en_US.UTF-8", "fr_CA", "C"): Letter in the territories whose
/// locales use it (the US, Canada, Mexico, the Philippines and much of Latin America), A4
/// everywhere else, "C" and "POSIX" included.
Paper PaperOfLocale(const std::string& localeName);

/// The paper of the user's locale for paper: LC_ALL, else LC_PAPER, else LANG (the first that
/// is set and not empty).
Paper DefaultPaper();

/// The paper named "a4" or "letter" (any case); false for another name.
bool PaperFromName(const std::string& name, Paper& paper);

}  // namespace varel
