#include "textconf/text_problems.h"

#include <map>

namespace varel::textconf {

namespace {

const std::map<Problem, Bilingual>& Texts() {
    static const std::map<Problem, Bilingual> texts = {
        {Problem::NotYaml, {"cannot be read as YAML: %1", "无法按 YAML 读取：%1"}},
        {Problem::TooDeep,
         {"cannot be read as YAML: nested too deeply", "无法按 YAML 读取：嵌套层次过深"}},
        {Problem::NotMapping, {"%1 must be a mapping of keys and values", "%1 应为键和值的映射"}},
        {Problem::NotScalar, {"%1 must be a single value", "%1 应为单个值"}},
        {Problem::NotSequence,
         {"%1 must be a list of values in brackets", "%1 应为方括号中的值列表"}},
        {Problem::UnknownKey, {"unknown key \"%1\"", "未知的键“%1”"}},
        {Problem::DuplicateKey, {"\"%1\" is given twice", "“%1”出现了两次"}},
        {Problem::Missing, {"\"%1\" is missing", "缺少“%1”"}},
        {Problem::NotFormat,
         {"not a configuration text: \"format\" must be %1", "不是配置文本：“format”应为 %1"}},
        {Problem::Version,
         {"version %1 cannot be read (this program reads version %2)",
          "无法读取版本 %1（本程序读取版本 %2）"}},
        {Problem::Header,
         {"\"header\" must be standard, or 0x and 96 hex digits beginning with the model "
          "identifier",
          "“header”应为 standard，或 0x 加以型号标识开头的 96 个十六进制数字"}},
        {Problem::BadChannel,
         {"\"%1\" is not a channel number 1 to 128", "“%1”不是 1 到 128 的频道号"}},
        {Problem::ChannelTwice, {"channel %1 is given twice", "频道 %1 出现了两次"}},
        {Problem::ChannelValues,
         {"%1 has %2 values, not %3 (or one more for the flag bits)",
          "%1 有 %2 个值，应为 %3 个（或多一个标志位）"}},
        {Problem::NotInList, {"%1: \"%2\" is not one of its values", "%1：“%2”不是它的可选值"}},
        {Problem::NotFrequency, {"%1: \"%2\" is not a frequency", "%1：“%2”不是频率"}},
        {Problem::NotTone,
         {"%1: \"%2\" is not a tone of the tone list", "%1：“%2”不是亚音频列表中的值"}},
        {Problem::NotNumber,
         {"%1: \"%2\" is not a number in its range", "%1：“%2”不是范围内的数字"}},
        {Problem::TooLong, {"%1: \"%2\" is longer than its %3 bytes", "%1：“%2”超过了 %3 个字节"}},
        {Problem::NotCodePage,
         {"%1: \"%2\" holds a character the radio cannot store",
          "%1：“%2”含有对讲机无法存储的字符"}},
        {Problem::NotFmStep,
         {"%1: \"%2\" is not an FM frequency from 87.0 to 108.0 MHz in steps of 0.1 MHz",
          "%1：“%2”不是 87.0 到 108.0 MHz、步进 0.1 MHz 的 FM 频率"}},
        {Problem::NotHex, {"%1: \"%2\" is not hex of this value", "%1：“%2”不是此值的十六进制"}},
        {Problem::BadAddress,
         {"\"%1\" is not an address 0x0 to 0xBFF", "“%1”不是 0x0 到 0xBFF 的地址"}},
        {Problem::NotHexBytes,
         {"%1: \"%2\" is not bytes of two hex digits with spaces between",
          "%1：“%2”不是以空格分隔的两位十六进制字节"}},
        {Problem::ShownByte,
         {"byte %1 is held by a value above, not by bytes",
          "字节 %1 由上面的值表示，不属于 bytes"}},
        {Problem::ShownBits,
         {"byte %1: only the bits %2 belong to bytes, the others to a value above",
          "字节 %1：只有位 %2 属于 bytes，其余属于上面的值"}},
        {Problem::ByteTwice, {"byte %1 is given twice", "字节 %1 出现了两次"}},
        {Problem::ByteMissing, {"byte %1 is missing from bytes", "bytes 中缺少字节 %1"}},
    };
    return texts;
}

}  // namespace

std::string ProblemText(Problem problem, Language lang, const std::vector<std::string>& args) {
    return Texts().at(problem).format(lang, args);
}

Problem WordProblemOf(WordProblem why) {
    switch (why) {
        case WordProblem::NotFrequency:
            return Problem::NotFrequency;
        case WordProblem::NotTone:
            return Problem::NotTone;
        case WordProblem::NotNumber:
            return Problem::NotNumber;
        case WordProblem::TooLong:
            return Problem::TooLong;
        case WordProblem::NotCodePage:
            return Problem::NotCodePage;
        case WordProblem::NotFmStep:
            return Problem::NotFmStep;
        case WordProblem::HexOnly:
            return Problem::NotHex;
        case WordProblem::None:
        case WordProblem::NotInList:
            break;
    }
    return Problem::NotInList;
}

}  // namespace varel::textconf
