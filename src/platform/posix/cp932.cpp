#include "platform/posix/cp932.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <optional>

namespace Orvane::Os::Posix {
namespace {

constexpr const char* kCp932 = "CP932";
constexpr const char* kUtf8 = "UTF-8";
constexpr const char* kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
constexpr char16_t kReplacementCharacter = u'\uFFFD';
constexpr char kReplacementCharacterUtf8[] = "\xEF\xBF\xBD";

// Single bytes that Windows maps and iconv's table leaves out.
struct SingleByteExtra {
    unsigned char byte;
    char16_t wide;
};
constexpr std::array<SingleByteExtra, 5> kSingleByteExtras{{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

std::optional<char16_t> ExtraWide(unsigned char byte) {
    for (const auto& extra : kSingleByteExtras) {
        if (extra.byte == byte) return extra.wide;
    }
    return std::nullopt;
}

std::optional<char> ExtraAnsi(char16_t wide) {
    for (const auto& extra : kSingleByteExtras) {
        if (extra.wide == wide) return static_cast<char>(extra.byte);
    }
    return std::nullopt;
}

// One iconv conversion direction, opened once per thread (an iconv descriptor is not shared).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (IsOpen()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts from the front of in onto out until in is used up (true) or a sequence cannot
    // be converted (false; in then starts with it).
    bool Run(std::string_view& in, std::string& out) {
        if (!IsOpen()) return in.empty();
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::array<char, 512> chunk;
        while (!in.empty()) {
            char* source = const_cast<char*>(in.data());
            std::size_t sourceLeft = in.size();
            char* target = chunk.data();
            std::size_t targetLeft = chunk.size();
            std::size_t result = iconv(cd_, &source, &sourceLeft, &target, &targetLeft);
            int error = errno;
            out.append(chunk.data(), static_cast<std::size_t>(target - chunk.data()));
            in.remove_prefix(in.size() - sourceLeft);
            if (result == static_cast<std::size_t>(-1) && error != E2BIG) return false;
        }
        return true;
    }

private:
    bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t cd_;
};

void AppendUnit(std::string& out, char16_t unit) {
    char bytes[sizeof unit];
    std::memcpy(bytes, &unit, sizeof unit);
    out.append(bytes, sizeof unit);
}

// Converts all of in; at each sequence the converter rejects, replace(in, out) appends what
// stands for it and returns how many bytes of in it covers (at least 1).
template <typename Replace>
std::string Transcode(Converter& converter, std::string_view in, Replace replace) {
    std::string out;
    while (!converter.Run(in, out)) {
        std::size_t covered = replace(in, out);
        in.remove_prefix(covered < in.size() ? covered : in.size());
    }
    return out;
}

std::string_view UnitBytes(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

std::u16string UnitsFromBytes(const std::string& bytes) {
    std::u16string units(bytes.size() / sizeof(char16_t), u'\0');
    std::memcpy(units.data(), bytes.data(), units.size() * sizeof(char16_t));
    return units;
}

char16_t FirstUnit(std::string_view bytes) {
    char16_t unit = 0;
    if (bytes.size() >= sizeof unit) std::memcpy(&unit, bytes.data(), sizeof unit);
    return unit;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    thread_local Converter converter(kUtf16, kUtf8);
    return UnitsFromBytes(Transcode(converter, utf8, [](std::string_view, std::string& out) {
        AppendUnit(out, kReplacementCharacter);
        return std::size_t{1};
    }));
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    thread_local Converter converter(kUtf8, kUtf16);
    return Transcode(converter, UnitBytes(utf16), [](std::string_view, std::string& out) {
        out += kReplacementCharacterUtf8;  // for a lone surrogate
        return sizeof(char16_t);
    });
}

}  // namespace

std::u16string Cp932ToUtf16(std::string_view cp932) {
    thread_local Converter converter(kUtf16, kCp932);
    return UnitsFromBytes(Transcode(converter, cp932, [](std::string_view rest, std::string& out) {
        unsigned char first = static_cast<unsigned char>(rest.front());
        if (auto wide = ExtraWide(first)) {
            AppendUnit(out, *wide);
            return std::size_t{1};
        }
        AppendUnit(out, kCp932DefaultWide);
        return std::size_t{IsCp932LeadByte(first) ? 2u : 1u};
    }));
}

std::string Utf16ToCp932(std::u16string_view utf16) {
    thread_local Converter converter(kCp932, kUtf16);
    return Transcode(converter, UnitBytes(utf16), [](std::string_view rest, std::string& out) {
        out += ExtraAnsi(FirstUnit(rest)).value_or(kCp932DefaultAnsi);
        return sizeof(char16_t);
    });
}

std::string Cp932ToUtf8(std::string_view cp932) { return Utf16ToUtf8(Cp932ToUtf16(cp932)); }

std::string Utf8ToCp932(std::string_view utf8) { return Utf16ToCp932(Utf8ToUtf16(utf8)); }

}  // namespace Orvane::Os::Posix
