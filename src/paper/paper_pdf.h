#pragma once
// Configurations on paper, as PDF documents: the channel list (every programmed channel in the
// grid's columns and words, 32 to a page) followed by the settings sheet (the settings as the
// dump lists them, in the editors' groups) and the FM channels; and the pocket card, one page
// with the channels in a few words each. Every page names the data file, the date and the
// fingerprint of what a write of the configuration sends, so that paper and radio can be
// matched after a verified write. Needs a QGuiApplication (the offscreen platform will do).
#include <QByteArray>
#include <string>

#include "image/image_codec.h"
#include "image/language.h"
#include "paper/paper_size.h"

namespace varel {

/// What is printed, and how.
struct PaperJob {
    Configuration cfg;                  ///< the configuration printed
    Language lang = Language::English;  ///< the language of every word on the pages
    std::string fileName;               ///< the data file's name for the header; empty: none
    std::string date;                   ///< the date for the header ("2026-12-08")
    std::string fingerprint;            ///< link::WriteFingerprint of the image cfg encodes to
    Paper paper = Paper::A4;            ///< the paper size
};

/// Channels a page of the channel list holds: the 128 channels fill at most 4 pages.
constexpr int kChannelsPerPage = 32;

/// The channel list, the settings sheet and the FM channels as a PDF document.
QByteArray ChannelListPdf(const PaperJob& job);

/// The pocket card as a one-page PDF document: channel number, name, receive frequency, the
/// transmit frequency where it differs ("—" where there is none) and the tones that are on.
QByteArray PocketCardPdf(const PaperJob& job);

}  // namespace varel
