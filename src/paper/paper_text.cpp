#include "paper/paper_text.h"

namespace varel {

std::string PaperText(PaperWord word, Language lang, const std::vector<std::string>& args) {
    static const Bilingual kWords[] = {
        {"Channel list", "频道列表"},
        {"Settings", "参数设置"},
        {"Pocket card", "频道卡"},
        {"(no data file)", "(无数据文件)"},
        {"No channel is programmed.", "没有已编程的频道。"},
        {"Printed %1", "打印日期：%1"},
        {"Page %1 of %2", "第 %1 页，共 %2 页"},
    };
    return kWords[static_cast<int>(word)].format(lang, args);
}

}  // namespace varel
