#include "tools/cp932_windows.h"

#include <cstdio>

#include "platform/win32/win32_api.h"

namespace Orvane::Tools {
namespace {

using Os::Posix::Cp932Code;
using Os::Posix::IsCp932LeadByte;
using Os::Posix::kCp932DefaultAnsi;
using Os::Posix::kCp932DefaultWide;
using Os::Posix::kCp932FirstTrail;

constexpr UINT kCodePage = 932;
constexpr unsigned kUnitCount = 0x10000;

std::u16string Decode(const std::string& bytes, DWORD flags = 0) {
    wchar_t units[8];
    int count = ::MultiByteToWideChar(kCodePage, flags, bytes.data(),
                                      static_cast<int>(bytes.size()), units,
                                      static_cast<int>(std::size(units)));
    return std::u16string(reinterpret_cast<const char16_t*>(units), count > 0 ? count : 0);
}

std::string Encode(char16_t unit) {
    char bytes[8];
    int count = ::WideCharToMultiByte(kCodePage, 0, reinterpret_cast<const wchar_t*>(&unit), 1,
                                      bytes, sizeof bytes, nullptr, nullptr);
    return std::string(bytes, count > 0 ? count : 0);
}

template <typename... Values>
void Note(std::vector<std::string>& misfits, const char* format, Values... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    misfits.push_back(text);
}

void CheckCodePage(std::vector<std::string>& misfits) {
    CPINFOEXA info{};
    if (!::GetCPInfoExA(kCodePage, 0, &info)) return Note(misfits, "no code page %u", kCodePage);
    if (info.DefaultChar[0] != kCp932DefaultAnsi || info.UnicodeDefaultChar != kCp932DefaultWide) {
        Note(misfits, "default characters %02X and U+%04X",
             static_cast<unsigned char>(info.DefaultChar[0]),
             static_cast<unsigned>(info.UnicodeDefaultChar));
    }
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        if (::IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(byte)) != IsCp932LeadByte(byte)) {
            Note(misfits, "%02X: lead byte for Windows but not here, or the other way round", byte);
        }
    }
}

std::u16string MeasureSingleBytes(std::vector<std::string>& misfits) {
    std::u16string units;
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        std::u16string alone = Decode(std::string(1, static_cast<char>(byte)));
        if (alone.size() != 1 || (IsCp932LeadByte(byte) && alone[0] != kCp932DefaultWide)) {
            Note(misfits, "%02X on its own: %u units", byte, static_cast<unsigned>(alone.size()));
        }
        units.push_back(alone.empty() ? u'\0' : alone[0]);
    }
    return units;
}

// A zero byte ends the pair before it begins: the lead byte is the default character alone.
void CheckZeroTrail(unsigned char lead, std::vector<std::string>& misfits) {
    std::u16string units = Decode(std::string{static_cast<char>(lead), '\0', 'b'});
    if (units != std::u16string{kCp932DefaultWide, u'\0', u'b'}) {
        Note(misfits, "%02X 00: the zero byte does not stay", lead);
    }
}

// The row entry of a pair: its unit where the pair is valid, otherwise 0.
char16_t MeasurePair(unsigned char lead, unsigned char trail, std::vector<std::string>& misfits) {
    std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
    std::u16string units = Decode(pair + 'b');
    bool valid = Decode(pair, MB_ERR_INVALID_CHARS).size() == 1;
    if (units.size() != 2 || units[1] != u'b') {
        Note(misfits, "%02X %02X: the lead byte does not take the trail byte along", lead, trail);
    } else if (!valid && units[0] != kCp932DefaultWide) {
        Note(misfits, "%02X %02X: invalid, but U+%04X", lead, trail,
             static_cast<unsigned>(units[0]));
    } else if (valid && trail < kCp932FirstTrail) {
        Note(misfits, "%02X %02X: valid below the first trail byte", lead, trail);
    }
    return valid && !units.empty() ? units[0] : u'\0';
}

std::u16string MeasureLeadRow(unsigned char lead, std::vector<std::string>& misfits) {
    CheckZeroTrail(lead, misfits);
    std::u16string row;
    for (unsigned trail = 1; trail < 0x100; ++trail) {
        char16_t unit = MeasurePair(lead, static_cast<unsigned char>(trail), misfits);
        if (trail >= kCp932FirstTrail) row.push_back(unit);
    }
    return row;
}

Cp932Code MeasureCode(char16_t unit, std::vector<std::string>& misfits) {
    std::string bytes = Encode(unit);
    auto first = static_cast<unsigned char>(bytes.empty() ? 0 : bytes[0]);
    bool single = bytes.size() == 1 && !IsCp932LeadByte(first);
    bool pair = bytes.size() == 2 && IsCp932LeadByte(first);
    if (!single && !pair) {
        Note(misfits, "U+%04X: %u bytes", static_cast<unsigned>(unit),
             static_cast<unsigned>(bytes.size()));
        return static_cast<Cp932Code>(kCp932DefaultAnsi);
    }
    return static_cast<Cp932Code>(pair ? first << 8 | static_cast<unsigned char>(bytes[1]) : first);
}

}  // namespace

MeasuredCp932 MeasureCp932() {
    MeasuredCp932 measured;
    CheckCodePage(measured.misfits);
    measured.singleBytes = MeasureSingleBytes(measured.misfits);
    for (unsigned lead = 0; lead < 0x100; ++lead) {
        if (!IsCp932LeadByte(lead)) continue;
        measured.leadRows.push_back(MeasureLeadRow(static_cast<unsigned char>(lead), measured.misfits));
    }
    for (unsigned unit = 0; unit < kUnitCount; ++unit) {
        measured.codes.push_back(MeasureCode(static_cast<char16_t>(unit), measured.misfits));
    }
    return measured;
}

std::string SystemName() {
    using VersionFunction = const char*(__cdecl*)();
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    auto version = reinterpret_cast<VersionFunction>(
        reinterpret_cast<void*>(ntdll ? ::GetProcAddress(ntdll, "wine_get_version") : nullptr));
    return version ? std::string("Wine ") + version() : "Windows";
}

}  // namespace Orvane::Tools
