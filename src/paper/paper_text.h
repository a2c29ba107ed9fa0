#pragma once
// The words of the printed pages that no other room has: the titles of the parts, the header
// and the page numbers. The columns, settings and fingerprint keep the words of their rooms.
#include <QString>
#include <string>
#include <vector>

#include "image/language.h"

namespace varel {

/// The words of the pages.
enum class PaperWord {
    ChannelList,  ///< "Channel list", the title of the channel pages
    Settings,     ///< "Settings", the title of the settings sheet
    PocketCard,   ///< "Pocket card", the card's title
    NoDataFile,   ///< "(no data file)", for a configuration that has none
    NoChannels,   ///< "No channel is programmed."
    Printed,      ///< "Printed %1", the date
    PageOfPages,  ///< "Page %1 of %2"
};

/// The word in a language; `args` fill its %1 and %2.
std::string PaperText(PaperWord word, Language lang, const std::vector<std::string>& args = {});

/// A text of the codec, the checks or this table as the painter takes it.
inline QString QtString(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace varel
