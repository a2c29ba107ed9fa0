#pragma once
// The messages that the program and varel-cli both show, or that the codec's own functions
// produce, each written once in both languages. The command line prints the English text; the
// program shows the text of the language in force.
#include <string>

#include "image/language.h"

namespace varel {

/// Every message of the table.
enum class Message {
    // A data file or channel list that could not be opened or saved (DataFileError).
    CannotOpenFile,   ///< "Cannot open the file!"
    CannotReadFile,   ///< "Cannot read the file!"
    WrongFileType,    ///< "File type is incorrect!"
    CannotWriteFile,  ///< "Cannot write the file!"
    DiskFull,         ///< "Not enough disk space, the file was not saved!"
    // The file layer's own reasons for a failure, shown after the message above.
    NoPipeReader,  ///< "nothing reads from the pipe"
    NoPipeWriter,  ///< "nothing was written to the pipe"
    FileTooLarge,  ///< "larger than 4 MiB" (a channel list)
    FileLonger,    ///< a data file longer than 3,120 bytes: only its first 3,120 bytes were read
    // Radio transfers.
    ReadingData,         ///< progress text of a read
    WritingData,         ///< progress text of a write
    PortInvalid,         ///< "The serial port is invalid"
    CommunicationError,  ///< the radio did not answer in time
    BandRefused,         ///< the radio's band differs and the write was refused
    BandQuestion,        ///< the radio's band differs: write anyway?
    ReadSucceeded,       ///< "Reading Frequency Successful!"
    WriteSucceeded,      ///< "Writing Frequency Successful!"
    WriteVerified,       ///< a write read back: the radio holds every byte that was written
    // Typed values that break an input rule.
    OutOfBand,     ///< a channel frequency outside the band
    FmOutOfRange,  ///< an FM broadcast frequency outside 87 to 107.9 MHz
    Count
};

/// The text of a message in both languages.
const Bilingual& MessageText(Message message);

/// The text of a message in a language.
inline const std::string& MessageText(Message message, Language lang) {
    return MessageText(message).in(lang);
}

/// The system's reason for a failed file operation (an errno value) in a language: the common
/// reasons in both languages, any other as the system words it in English.
std::string SystemReasonText(int error, Language lang);

}  // namespace varel
