// orvpatch-cp932-table: writes the source of the code page 932 table on standard output, from
// what this system's MultiByteToWideChar and WideCharToMultiByte give. Windows only; run under
// Wine by scripts/make-cp932-table. Fails, writing nothing, where the system does not convert
// as the table can describe.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <vector>

#include "tools/cp932_table_source.h"
#include "tools/cp932_windows.h"

namespace Orvane::Tools {
namespace {

using Os::Posix::Cp932Exception;
using Os::Posix::Cp932Table;

constexpr std::size_t kMisfitsShown = 20;
constexpr char kMisfitIntro[] =
    "orvpatch-cp932-table: this system does not convert as the table can say:\n";
constexpr char kMoreMisfits[] = "... and %zu more\n";

// The units that Windows encodes otherwise than the inverse of its decoding.
std::vector<Cp932Exception> EncodeExceptions(const Cp932Table& decoding,
                                             const std::vector<Os::Posix::Cp932Code>& codes) {
    std::vector<Os::Posix::Cp932Code> implied = Os::Posix::Cp932EncodingOf(decoding);
    std::vector<Cp932Exception> exceptions;
    for (std::size_t unit = 0; unit < codes.size(); ++unit) {
        if (implied[unit] == codes[unit]) continue;
        exceptions.push_back({static_cast<char16_t>(unit), codes[unit]});
    }
    return exceptions;
}

int ReportMisfits(const std::vector<std::string>& misfits) {
    std::fputs(kMisfitIntro, stderr);
    for (std::size_t i = 0; i < misfits.size() && i < kMisfitsShown; ++i) {
        std::fprintf(stderr, "  %s\n", misfits[i].c_str());
    }
    if (misfits.size() > kMisfitsShown) {
        std::fprintf(stderr, kMoreMisfits, misfits.size() - kMisfitsShown);
    }
    return 1;
}

int Run() {
    MeasuredCp932 measured = MeasureCp932();
    if (!measured.misfits.empty()) return ReportMisfits(measured.misfits);
    std::vector<std::u16string_view> rows(measured.leadRows.begin(), measured.leadRows.end());
    Cp932Table table{measured.singleBytes, rows, {}};
    std::vector<Cp932Exception> exceptions = EncodeExceptions(table, measured.codes);
    table.encodeExceptions = exceptions;
    _setmode(_fileno(stdout), _O_BINARY);  // the source gets line feeds only
    WriteCp932TableSource(stdout, table, SystemName());
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

}  // namespace
}  // namespace Orvane::Tools

int main() { return Orvane::Tools::Run(); }
