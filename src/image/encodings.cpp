#include "image/encodings.h"

#include <cstdio>
#include <unordered_map>

#include "image/latin1.h"
#include "image/memory_image.h"

namespace varel {

namespace {

const char* const kCtcss[] = {
    "67.0",  "69.3",  "71.9",  "74.4",  "77.0",  "79.7",  "82.5",  "85.4",  "88.5",  "91.5",
    "94.8",  "97.4",  "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1"};

const char* const kDcs[] = {
    "017", "023", "025", "026", "031", "032", "036", "043", "047", "050", "051", "053",
    "054", "065", "071", "072", "073", "074", "114", "115", "116", "122", "125", "131",
    "132", "134", "143", "145", "152", "155", "156", "162", "165", "172", "174", "205",
    "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255", "261",
    "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343",
    "346", "351", "356", "364", "365", "371", "411", "412", "413", "423", "431", "432",
    "445", "446", "452", "454", "455", "462", "464", "465", "466", "503", "506", "516",
    "523", "526", "532", "546", "565", "606", "612", "624", "627", "631", "632", "645",
    "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};

std::vector<std::string> BuildToneList(Language lang) {
    std::vector<std::string> list;
    list.reserve(kToneCount);
    list.push_back(OffText(lang));
    for (const char* t : kCtcss) list.emplace_back(t);
    for (const char* d : kDcs) list.push_back(std::string("D") + d + "N");
    for (const char* d : kDcs) list.push_back(std::string("D") + d + "I");
    return list;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string WithoutPoint(const std::string& text) {
    std::string s;
    for (char c : text)
        if (c != '.') s += c;
    return s;
}

// Four hex digits of a tone text (not the Off text): byte L's two digits, then byte H's.
std::string ToneCode(const std::string& tone) {
    auto mid = [&](std::size_t pos, std::size_t len) {
        return pos < tone.size() ? tone.substr(pos, len) : std::string();
    };
    if (tone.find('N') != std::string::npos) return mid(2, 2) + "8" + mid(1, 1);
    if (tone.find('I') != std::string::npos) return mid(2, 2) + "C" + mid(1, 1);
    std::string s = WithoutPoint(tone);
    const std::string last2 = s.size() >= 2 ? s.substr(s.size() - 2) : s;
    while (s.size() < 4) s = "0" + s;
    return last2 + s.substr(0, 2);
}

}  // namespace

std::string OffText(Language lang) {
    static const Bilingual off{"Off", "关闭"};
    return off.in(lang);
}

const std::vector<std::string>& ToneList(Language lang) {
    static const std::vector<std::string> chinese = BuildToneList(Language::Chinese);
    static const std::vector<std::string> english = BuildToneList(Language::English);
    return lang == Language::English ? english : chinese;
}

std::string Hex(unsigned value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%X", value);
    return buf;
}

std::string Hex2(std::uint8_t value) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X", value);
    return buf;
}

std::optional<std::uint8_t> HexByte(const std::string& pair) {
    if (pair.empty() || pair.size() > 2) return std::nullopt;
    unsigned v = 0;
    for (char c : pair) {
        const int d = HexDigitValue(c);
        if (d < 0) return std::nullopt;
        v = v * 16 + static_cast<unsigned>(d);
    }
    return static_cast<std::uint8_t>(v);
}

std::string DecodeFrequency(const std::array<std::uint8_t, 4>& f) {
    const std::string digits = Hex2(f[3]) + Hex2(f[2]) + Hex2(f[1]) + Hex2(f[0]);
    return digits.substr(0, 3) + "." + digits.substr(3);
}

std::optional<std::string> SnapFrequency(const std::string& typed) {
    std::string t = typed;
    const auto point = t.find('.');
    if (point == std::string::npos) {
        t += ".00000";
    } else {
        const std::size_t decimals = t.size() - point - 1;
        if (decimals > 5) t.resize(point + 6);
        while (t.size() - point - 1 < 5) t += '0';
    }
    const std::string last4 = t.substr(t.size() - 4);
    int x = 0;
    for (char c : last4) {
        if (c < '0' || c > '9') return std::nullopt;
        x = x * 10 + (c - '0');
    }
    const int r5 = x % kRaster5kHz;
    const int r6 = x % kRaster6k25Hz;
    if (r5 == 0 || r6 == 0) return t;
    x -= (r6 <= r5) ? r6 : r5;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d", x);
    return t.substr(0, t.size() - 4) + buf;
}

std::string SnapFmFrequency(const std::string& typed) {
    const auto point = typed.find('.');
    if (point == std::string::npos) return typed + ".00";
    const std::size_t decimals = typed.size() - point - 1;
    if (decimals == 0) return typed + "00";
    if (decimals == 1) return typed + "0";
    const char second = typed[point + 2];
    const bool up = second >= '5' && second <= '9';
    return typed.substr(0, point + 2) + (up ? "5" : "0");
}

std::string DecodeTone(std::uint8_t low, std::uint8_t high, Language lang) {
    if (low == 0xFF) return OffText(lang);
    const unsigned hn = high >> 4;
    if (hn == 0x8 || hn == 0xC)
        return "D" + Hex(high & 0x0Fu) + Hex2(low) + (hn == 0x8 ? "N" : "I");
    return Hex(high) + Hex(low >> 4u) + "." + Hex(low & 0x0Fu);
}

namespace {

// One byte of the frequency field of a frequency text: part 1 is field byte 3, 2 byte 2, 3 byte
// 1, 4 byte 0 (see FrequencyField).
std::optional<std::uint8_t> FreqByte(const std::string& text, int part) {
    const std::string bare = WithoutPoint(text);
    switch (part) {
        case 1:
            return HexByte(text.substr(0, 2));
        case 2:
            return HexByte(bare.size() > 2 ? bare.substr(2, 2) : std::string());
        case 3:
            return HexByte(bare.size() > 4 ? bare.substr(4, 2) : std::string());
        default:
            return HexByte(text.size() >= 2 ? text.substr(text.size() - 2) : text);
    }
}

}  // namespace

std::array<std::optional<std::uint8_t>, 4> FrequencyField(const std::string& text) {
    return {FreqByte(text, 4), FreqByte(text, 3), FreqByte(text, 2), FreqByte(text, 1)};
}

std::array<std::optional<std::uint8_t>, 2> ToneField(const std::string& tone) {
    const std::string code = ToneCode(tone);
    const std::size_t tail = code.size() >= 2 ? code.size() - 2 : 0;
    return {HexByte(code.substr(0, 2)), HexByte(code.substr(tail))};
}

int PowerPosition(std::uint8_t flags) {
    const int bits = flags & 0x03;
    return bits == 3 ? 1 : bits;
}

int ToneIndex(const std::string& tone, Language lang) {
    // The list has no duplicates, so a map of text to position finds the first match.
    static const auto build = [](Language l) {
        std::unordered_map<std::string, int> positions;
        const auto& list = ToneList(l);
        for (std::size_t i = 0; i < list.size(); ++i)
            positions.emplace(list[i], static_cast<int>(i));
        return positions;
    };
    static const auto chinese = build(Language::Chinese);
    static const auto english = build(Language::English);
    const auto& positions = lang == Language::English ? english : chinese;
    const auto found = positions.find(tone);
    return found == positions.end() ? 0 : found->second;
}

std::string ChannelCode(const std::string& name) {
    const auto chars = CodePoints(name);
    std::string code;
    std::size_t used = 0;
    for (; used < chars.size() && used < kNameSize; ++used) code += Hex2(Latin1Byte(chars[used]));
    for (; used < kNameSize; ++used) code += "FF";
    return code;
}

std::string TextFromBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += Utf8(bytes[i]);
    return StripFillChars(text);
}

std::string StripFillChars(const std::string& text) {
    std::string out;
    for (char32_t cp : CodePoints(text))
        if (cp != 0xFF) out += Utf8(cp);
    return out;
}

}  // namespace varel
