#include "image/vocabulary.h"

#include "image/encodings.h"

namespace varel {

const Entries& PowerEntries() {
    static const Entries e = {{"Low", "低"}, {"High", "高"}, {"Middle", "中"}};
    return e;
}

const Entries& BusyLockEntries() {
    static const Entries e = {{"Carry", "载波"}, {"Off", "关"}};
    return e;
}

const Entries& DisableEnableEntries() {
    static const Entries e = {{"Off", "禁止"}, {"On", "使能"}};
    return e;
}

const Entries& EnableDisableEntries() {
    static const Entries e = {{"On", "使能"}, {"Off", "禁止"}};
    return e;
}

const Entries& OffOnEntries() {
    static const Entries e = {{"Off", "关"}, {"On", "开"}};
    return e;
}

const Entries& OnOffEntries() {
    static const Entries e = {{"On", "开"}, {"Off", "关"}};
    return e;
}

const Entries& ToneEntries() {
    static const Entries e = [] {
        const auto& en = ToneList(Language::English);
        const auto& zh = ToneList(Language::Chinese);
        Entries list;
        for (std::size_t i = 0; i < en.size(); ++i) list.push_back({en[i], zh[i]});
        return list;
    }();
    return e;
}

}  // namespace varel
