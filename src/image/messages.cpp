#include "image/messages.h"

#include <array>
#include <cerrno>
#include <system_error>

namespace varel {

namespace {

using Texts = std::array<Bilingual, static_cast<std::size_t>(Message::Count)>;

// Filled by message so that the order of the enum cannot shift a text onto the wrong message.
Texts BuildTexts() {
    Texts t;
    auto set = [&t](Message m, const char* en, const char* zh) {
        t[static_cast<std::size_t>(m)] = {en, zh};
    };
    set(Message::CannotOpenFile, "Cannot open the file!", "无法打开文件！");
    set(Message::CannotReadFile, "Cannot read the file!", "无法读取文件！");
    set(Message::WrongFileType, "File type is incorrect!", "文件类型不正确！");
    set(Message::CannotWriteFile, "Cannot write the file!", "无法写入文件！");
    set(Message::DiskFull, "Not enough disk space, the file was not saved!",
        "磁盘空间不足，文件未保存！");
    set(Message::NoPipeReader, "nothing reads from the pipe", "没有程序读取该管道");
    set(Message::NoPipeWriter, "nothing was written to the pipe", "没有程序向该管道写入数据");
    set(Message::FileTooLarge, "larger than 4 MiB", "文件大于 4 MiB");
    set(Message::FileLonger,
        "The file is longer than a configuration: only its first 3,120 bytes were read.",
        "文件比一份配置长：只读取了前 3,120 个字节。");
    set(Message::ReadingData, "Data is reading, please wait a moment.", "正在读频，请稍候。");
    set(Message::WritingData, "Data is writing, please wait a moment.", "正在写频，请稍候。");
    set(Message::PortInvalid, "The serial port is invalid", "串行端口无效");
    set(Message::CommunicationError,
        "Communication error, check the line and the serial connection selection!",
        "通信出错，请检查对讲机，连线及串口选择！");
    set(Message::BandRefused, "The frequency band is not accorded with, can't write into!",
        "频段不符，不能写入！");
    set(Message::BandQuestion,
        "The frequency band is not accorded with, whether write into by force?",
        "频段不符，是否强制写入？");
    set(Message::ReadSucceeded, "Reading Frequency Successful!", "读频成功！");
    set(Message::WriteSucceeded, "Writing Frequency Successful!", "写频成功！");
    set(Message::WriteVerified, "Verified: the radio holds every byte that was written.",
        "校验通过：对讲机保存的数据与写入的完全一致。");
    set(Message::OutOfBand, "Beyond the scope of frequency band", "超出频段范围");
    set(Message::FmOutOfRange, "Beyond the scope of frequency(87-107.9), please input again.",
        "超出频率范围(87-107.9)，请重输。");
    return t;
}

}  // namespace

const Bilingual& MessageText(Message message) {
    static const Texts texts = BuildTexts();
    return texts.at(static_cast<std::size_t>(message));
}

std::string SystemReasonText(int error, Language lang) {
    struct Reason {
        int error;
        const char* zh;
    };
    // The reasons a user meets most often when opening or saving a file.
    static const Reason kTranslated[] = {
        {ENOENT, "文件或文件夹不存在"}, {EACCES, "没有访问权限"}, {EISDIR, "这是一个文件夹"},
        {EROFS, "文件系统只读"},        {ENOSPC, "磁盘空间不足"}, {ENAMETOOLONG, "文件名太长"},
        {EIO, "输入/输出错误"},
#ifdef EDQUOT
        {EDQUOT, "超出磁盘配额"},
#endif
    };
    if (lang == Language::Chinese)
        for (const Reason& r : kTranslated)
            if (r.error == error) return r.zh;
    return std::error_code(error, std::generic_category()).message();
}

}  // namespace varel
