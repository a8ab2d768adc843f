// The unit -> bytes direction of code page 932, made from the table's decoding.
#include "platform/posix/cp932_table.h"

namespace Orvane::Os::Posix {
namespace {

constexpr std::size_t kUnitCount = 0x10000;

// Keeps the first (lowest) code seen for a unit; codes arrive in ascending order.
void Record(std::vector<Cp932Code>& codes, std::vector<bool>& taken, char16_t unit,
            Cp932Code code) {
    if (taken[unit]) return;
    taken[unit] = true;
    codes[unit] = code;
}

}  // namespace

std::vector<Cp932Code> Cp932EncodingOf(const Cp932Table& table) {
    std::vector<Cp932Code> codes(kUnitCount, static_cast<Cp932Code>(kCp932DefaultAnsi));
    std::vector<bool> taken(kUnitCount, false);
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        if (IsCp932LeadByte(static_cast<unsigned char>(byte))) continue;
        Record(codes, taken, table.singleBytes[byte], static_cast<Cp932Code>(byte));
    }
    for (unsigned lead = 0x81; lead < 0x100; ++lead) {
        if (!IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
        std::u16string_view row = table.leadRows[Cp932LeadRow(static_cast<unsigned char>(lead))];
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i] == 0) continue;
            auto code = static_cast<Cp932Code>(lead << 8 | (kCp932FirstTrail + i));
            Record(codes, taken, row[i], code);
        }
    }
    for (const Cp932Exception& exception : table.encodeExceptions) {
        codes[exception.unit] = exception.code;
    }
    return codes;
}

}  // namespace Orvane::Os::Posix
