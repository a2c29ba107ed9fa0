#pragma once
// Named steps that set up the entries of the settings field table
// (List(SettingId::Beep).at(0x706).bits(0, 1).start(1)), so that no entry is a row of bare
// numbers whose meaning depends on their position.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "image/settings_fields.h"
#include "image/vocabulary.h"

namespace varel::fields {

/// One entry of the settings field table, set up by named steps; what no step names keeps
/// the default of SettingField.
class FieldBuilder {
public:
    /// An entry of a kind that takes this many bytes; the text kinds of frequencies let
    /// "0"-"9" and "." through, the others only digits.
    FieldBuilder(SettingId id, FieldKind kind, int size) {
        m_field.id = id;
        m_field.kind = kind;
        m_field.size = size;
        const bool decimal = kind == FieldKind::Frequency || kind == FieldKind::Offset ||
                             kind == FieldKind::FmFrequency;
        m_field.keys = decimal ? KeySet::Decimal : KeySet::Digits;
    }
    /// The window part that shows the value.
    FieldBuilder& in(SettingSection section) { return set(m_field.section, section); }
    /// The editor control and its caption.
    FieldBuilder& control(const std::string& object, Bilingual caption) {
        m_field.objectName = object;
        return set(m_field.caption, std::move(caption));
    }
    /// The list entries in position order.
    FieldBuilder& entries(Entries list) { return set(m_field.entries, std::move(list)); }
    /// The first image byte.
    FieldBuilder& at(int offset) { return set(m_field.offset, offset); }
    /// The bytes taken in the image, where the kind does not fix them.
    FieldBuilder& size(int bytes) { return set(m_field.size, bytes); }
    /// The value's bits inside its byte: the lowest one and how many.
    FieldBuilder& bits(int lowest, int count) {
        m_field.bit = lowest;
        return set(m_field.bits, count);
    }
    /// The start position, number or check state.
    FieldBuilder& start(int value) { return set(m_field.start, value); }
    /// The start text of a text kind.
    FieldBuilder& startText(const char* text) { return set(m_field.startText, text); }
    /// A stored value at or above limit selects position fallback.
    FieldBuilder& decodeLimit(int limit, int fallback) {
        m_field.decodeDefault = fallback;
        return set(m_field.decodeLimit, limit);
    }
    /// Stored value -> position, for the values below the map's size.
    FieldBuilder& decodeMap(std::vector<int> map) { return set(m_field.decodeMap, std::move(map)); }
    /// Never shown, and never read back: it keeps its start value and is written from it.
    FieldBuilder& hiddenUnread() {
        m_field.decoded = false;
        return hidden();
    }
    /// The control and its caption are never shown.
    FieldBuilder& hidden() { return set(m_field.hidden, true); }
    /// The encoder writes this value instead of the held one.
    FieldBuilder& writtenAs(int value) { return set(m_field.writtenAs, value); }
    /// The byte stored for an empty channel number box.
    FieldBuilder& emptyByte(int byte) { return set(m_field.emptyByte, byte); }
    /// An FM frequency text that reads as 0 is stored as empty.
    FieldBuilder& zeroIsEmpty() { return set(m_field.zeroIsEmpty, true); }
    /// The smallest and largest number the editor holds.
    FieldBuilder& range(int lowest, int highest) {
        m_field.minNumber = lowest;
        return set(m_field.maxNumber, highest);
    }
    /// Characters stored, and where typing stops.
    FieldBuilder& maxLength(int characters) { return set(m_field.maxLength, characters); }
    /// The keys the text box lets through.
    FieldBuilder& keys(KeySet allowed) { return set(m_field.keys, allowed); }
    /// The FM channel number or slider index.
    FieldBuilder& slot(int number) { return set(m_field.slot, number); }
    /// The entry as set up so far.
    const SettingField& field() const { return m_field; }

private:
    template <typename T, typename V>
    FieldBuilder& set(T& member, V&& value) {
        member = std::forward<V>(value);
        return *this;
    }
    SettingField m_field;
};

/// An entry of each kind, with the bytes the kind takes in the image (a Text entry names its
/// size).
inline FieldBuilder List(SettingId id) {
    return FieldBuilder(id, FieldKind::List, 1);
}
/// A tone list over ToneEntries(), stored as a 2-byte tone field.
inline FieldBuilder Tone(SettingId id) {
    return FieldBuilder(id, FieldKind::Tone, 2).entries(ToneEntries());
}
/// A check box read from one bit.
inline FieldBuilder Check(SettingId id) {
    return FieldBuilder(id, FieldKind::Check, 1);
}
/// A channel number text, stored as one byte.
inline FieldBuilder ChannelNumber(SettingId id) {
    return FieldBuilder(id, FieldKind::ChannelNumber, 1);
}
/// Single-byte characters, one per byte.
inline FieldBuilder Text(SettingId id) {
    return FieldBuilder(id, FieldKind::Text, 1);
}
/// A frequency text, stored as a 4-byte frequency field.
inline FieldBuilder Frequency(SettingId id) {
    return FieldBuilder(id, FieldKind::Frequency, 4);
}
/// An offset in MHz, stored as a 4-byte frequency field.
inline FieldBuilder Offset(SettingId id) {
    return FieldBuilder(id, FieldKind::Offset, 4);
}
/// An FM frequency text, stored as a 2-byte FM word.
inline FieldBuilder FmFrequency(SettingId id) {
    return FieldBuilder(id, FieldKind::FmFrequency, 2);
}
/// A whole number, stored as one byte.
inline FieldBuilder Number(SettingId id) {
    return FieldBuilder(id, FieldKind::Number, 1);
}

/// The table being built and the window part whose entries are added to it next.
struct Rows {
    std::vector<SettingField>& table;  ///< the table
    SettingSection section;            ///< the part every added entry is shown in
    /// Adds an entry, in this part.
    void add(FieldBuilder& field) const { table.push_back(field.in(section).field()); }
    /// Adds an entry, in this part.
    void add(FieldBuilder&& field) const { add(field); }
};

}  // namespace varel::fields
