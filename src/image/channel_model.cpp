#include "image/channel_model.h"

#include <stdexcept>

#include "image/channel_columns.h"

namespace varel {

const std::vector<std::string>& ChannelColumnList(int column, Language lang) {
    // The lists of columns 3 to 9 in both languages, taken once from the column table.
    using Lists = std::vector<std::vector<std::string>>;
    static const auto build = [](Language l) {
        Lists lists;
        for (int c = kFirstListColumn; c <= kLastListColumn; ++c) {
            std::vector<std::string> texts;
            for (const Bilingual& e : ChannelColumnAt(c).entries) texts.push_back(e.in(l));
            lists.push_back(std::move(texts));
        }
        return lists;
    };
    static const Lists chinese = build(Language::Chinese);
    static const Lists english = build(Language::English);
    if (column < kFirstListColumn || column > kLastListColumn)
        throw std::out_of_range("no choice list for this grid column");
    return (lang == Language::English ? english : chinese)[column - kFirstListColumn];
}

}  // namespace varel
