#include "channel_model.h"

#include <stdexcept>

#include "encodings.h"

namespace varel {

const std::vector<std::string>& ChannelColumnList(int column, Language lang) {
    static const std::vector<std::string> kChinese[] = {
        {"低", "高", "中"}, {"载波", "关"}, {"禁止", "使能"}, {"窄带", "宽带"}, {"开", "关"}};
    static const std::vector<std::string> kEnglish[] = {{"Low", "High", "Middle"},
                                                        {"Carry", "Off"},
                                                        {"Off", "On"},
                                                        {"Narror", "wide"},
                                                        {"On", "Off"}};
    if (column == 3 || column == 4) return ToneList(lang);
    if (column < 5 || column > kLastListColumn)
        throw std::out_of_range("no choice list for this grid column");
    return (lang == Language::English ? kEnglish : kChinese)[column - 5];
}

}  // namespace varel
