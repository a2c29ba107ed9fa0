#include "textconf/text_reader.h"

#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/yaml.h>

#include <array>
#include <set>

#include "checks/config_text.h"
#include "files/data_file.h"
#include "image/encodings.h"
#include "textconf/text_file.h"
#include "textconf/text_layout.h"
#include "textconf/text_problems.h"
#include "textconf/text_writer.h"

namespace varel::textconf {

namespace {

constexpr int kLastChannel = static_cast<int>(kChannelCount);

// A refusal on its way out of the reader.
struct Refusal {
    int line;
    std::string problem;
};

// Lines count from 1; a node without a place (an empty text) is on the first.
int LineOf(const YAML::Mark& mark) {
    return mark.line < 0 ? 1 : mark.line + 1;
}

class Reader {
public:
    explicit Reader(Language lang) : m_lang(lang), m_file(kDataFileSize, 0) {}

    std::vector<std::uint8_t> read(const YAML::Node& root) {
        const auto top = entries(root, "(document)");
        std::set<std::string> known = {"format", "version", "header", "channels", "bytes"};
        for (const TextGroup& g : SettingGroups()) {
            if (!g.name.empty()) known.insert(g.name);
            for (const TextField& f : g.fields)
                if (g.name.empty()) known.insert(f.key);
        }
        for (const auto& [key, node] : top)
            if (!known.count(key.Scalar())) refuse(key, Problem::UnknownKey, {key.Scalar()});
        readFormat(root, top);
        readHeader(required(root, top, "header"));
        readChannels(required(root, top, "channels"));
        for (const TextGroup& g : SettingGroups()) readGroup(root, top, g);
        readBytes(required(root, top, "bytes"));
        return m_file;
    }

private:
    using Pairs = std::vector<std::pair<YAML::Node, YAML::Node>>;

    [[noreturn]] void refuse(const YAML::Node& at, Problem problem,
                             const std::vector<std::string>& args) const {
        throw Refusal{LineOf(at.Mark()), ProblemText(problem, m_lang, args)};
    }

    // The keys and values of a mapping, each key once.
    Pairs entries(const YAML::Node& node, const std::string& name) const {
        if (!node.IsMap()) refuse(node, Problem::NotMapping, {name});
        Pairs pairs;
        std::set<std::string> seen;
        for (auto it = node.begin(); it != node.end(); ++it) {
            if (!it->first.IsScalar()) refuse(it->first, Problem::NotScalar, {name});
            if (!seen.insert(it->first.Scalar()).second)
                refuse(it->first, Problem::DuplicateKey, {it->first.Scalar()});
            pairs.emplace_back(it->first, it->second);
        }
        return pairs;
    }

    YAML::Node required(const YAML::Node& parent, const Pairs& pairs,
                        const std::string& key) const {
        for (const auto& [k, v] : pairs)
            if (k.Scalar() == key) return v;
        refuse(parent, Problem::Missing, {key});
    }

    std::string scalar(const YAML::Node& node, const std::string& name) const {
        if (node.IsNull()) return std::string();
        if (!node.IsScalar()) refuse(node, Problem::NotScalar, {name});
        return node.Scalar();
    }

    void readFormat(const YAML::Node& root, const Pairs& top) const {
        const YAML::Node format = required(root, top, "format");
        if (scalar(format, "format") != kFormatName)
            refuse(format, Problem::NotFormat, {kFormatName});
        const YAML::Node version = required(root, top, "version");
        const std::string v = scalar(version, "version");
        if (v != std::to_string(kFormatVersion))
            refuse(version, Problem::Version, {v, std::to_string(kFormatVersion)});
    }

    void readHeader(const YAML::Node& node) {
        const std::string text = scalar(node, "header");
        std::vector<std::uint8_t> header = StandardHeader();
        if (text != "standard") {
            TextField whole;
            whole.size = static_cast<int>(kDataFileHeaderSize);
            const auto raw = ParseHex(whole, text);
            if (!raw || !std::equal(header.begin(), header.begin() + 6, raw->begin()))
                refuse(node, Problem::Header, {});
            header = *raw;
        }
        std::copy(header.begin(), header.end(), m_file.begin());
    }

    std::uint8_t* image() { return m_file.data() + kDataFileHeaderSize; }

    // One value: hex when written plain as 0x..., words otherwise.
    void readValue(const TextField& f, const YAML::Node& node, const std::string& label) {
        const std::string text = scalar(node, label);
        if (node.Tag() != "!" && LooksHex(text)) {
            const auto raw = ParseHex(f, text);
            if (!raw) refuse(node, Problem::NotHex, {label, PrintableText(text)});
            WriteRaw(f, *raw, image());
            return;
        }
        WordProblem why = WordProblem::None;
        const auto raw = ParseWords(f, text, why);
        if (!raw)
            refuse(node, WordProblemOf(why), {label, PrintableText(text), std::to_string(f.size)});
        WriteRaw(f, *raw, image());
    }

    void readChannels(const YAML::Node& node) {
        // A channel the text does not list is empty: record and name all 0xFF.
        for (int n = 1; n <= kLastChannel; ++n)
            for (const TextField& f : ChannelFields(n))
                WriteRaw(f, Raw(f.wholeBytes() ? f.size : 1, 0xFF), image());
        if (node.IsNull()) return;
        std::set<int> seen;
        for (const auto& [key, line] : entries(node, "channels")) {
            const std::string k = key.Scalar();
            const bool number = !k.empty() && k.size() <= 3 &&
                                k.find_first_not_of("0123456789") == std::string::npos;
            const int n = number ? std::stoi(k) : 0;
            if (n < 1 || n > kLastChannel) refuse(key, Problem::BadChannel, {k});
            if (!seen.insert(n).second) refuse(key, Problem::ChannelTwice, {std::to_string(n)});
            readChannel(n, line);
        }
    }

    void readChannel(int n, const YAML::Node& line) {
        const std::string name = ChannelLabel(n, m_lang);
        if (!line.IsSequence()) refuse(line, Problem::NotSequence, {name});
        if (line.size() != kChannelValues && line.size() != kChannelValues + 1)
            refuse(line, Problem::ChannelValues,
                   {name, std::to_string(line.size()), std::to_string(kChannelValues)});
        const auto& fields = ChannelFields(n);
        for (std::size_t c = 0; c < fields.size(); ++c) {
            const TextField& f = fields[c];
            if (c == kChannelValues && line.size() == kChannelValues) {
                WriteRaw(f, Raw{kStandardFlagBits}, image());
                continue;
            }
            readValue(f, line[c], name + ": " + f.key);
        }
    }

    void readGroup(const YAML::Node& root, const Pairs& top, const TextGroup& g) {
        if (g.name.empty()) {
            for (const TextField& f : g.fields) readValue(f, required(root, top, f.key), f.key);
            return;
        }
        const YAML::Node node = required(root, top, g.name);
        const Pairs pairs = entries(node, g.name);
        for (const auto& [key, value] : pairs) {
            bool known = false;
            for (const TextField& f : g.fields) known = known || f.key == key.Scalar();
            if (!known) refuse(key, Problem::UnknownKey, {g.name + " / " + key.Scalar()});
        }
        for (const TextField& f : g.fields)
            readValue(f, required(node, pairs, f.key), g.name + " / " + f.key);
    }

    void readBytes(const YAML::Node& node) {
        const auto& unshown = UnshownBits();
        std::array<bool, kConfigSize> given{};
        for (const auto& [key, value] : entries(node, "bytes")) {
            const std::string k = key.Scalar();
            const bool hex = LooksHex(k) && k.size() <= 10;
            const unsigned long address = hex ? std::stoul(k.substr(2), nullptr, 16) : kConfigSize;
            if (address >= kConfigSize) refuse(key, Problem::BadAddress, {k});
            readByteRun(static_cast<unsigned>(address), value, given);
        }
        for (std::size_t i = 0; i < kConfigSize; ++i)
            if (unshown[i] && !given[i]) refuse(node, Problem::ByteMissing, {"0x" + Hex(i)});
    }

    void readByteRun(unsigned address, const YAML::Node& value,
                     std::array<bool, kConfigSize>& given) {
        const auto& unshown = UnshownBits();
        const std::string text = scalar(value, "bytes");
        std::size_t i = address;
        std::size_t pos = 0;
        while (pos < text.size()) {
            if (text[pos] == ' ') {
                ++pos;
                continue;
            }
            const std::string pair = text.substr(pos, 2);
            const auto b = pair.size() == 2 ? HexByte(pair) : std::nullopt;
            if (!b || (pos + 2 < text.size() && text[pos + 2] != ' '))
                refuse(value, Problem::NotHexBytes, {"0x" + Hex(address), text});
            const std::string at = "0x" + Hex(static_cast<unsigned>(i));
            if (i >= kConfigSize || !unshown[i]) refuse(value, Problem::ShownByte, {at});
            if ((*b & ~unshown[i]) != 0)
                refuse(value, Problem::ShownBits, {at, "0x" + Hex2(unshown[i])});
            if (given[i]) refuse(value, Problem::ByteTwice, {at});
            given[i] = true;
            image()[i] = static_cast<std::uint8_t>((image()[i] & ~unshown[i]) | *b);
            ++i;
            pos += 2;
        }
    }

    Language m_lang;
    std::vector<std::uint8_t> m_file;
};

}  // namespace

TextImport ImportText(const std::string& text, Language lang) {
    TextImport result;
    try {
        const YAML::Node root = YAML::Load(text);
        result.file = Reader(lang).read(root);
        result.ok = true;
    } catch (const Refusal& r) {
        result.line = r.line;
        result.problem = r.problem;
    } catch (const YAML::DeepRecursion& e) {
        // The library names this "bad file".
        result.line = LineOf(e.mark);
        result.problem = ProblemText(Problem::TooDeep, lang, {});
    } catch (const YAML::Exception& e) {
        result.line = LineOf(e.mark);
        result.problem = ProblemText(Problem::NotYaml, lang, {e.msg});
    }
    return result;
}

std::string RefusalText(const std::string& name, const TextImport& result) {
    return name + ":" + std::to_string(result.line) + ": " + result.problem;
}

}  // namespace varel::textconf
