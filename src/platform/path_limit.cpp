#include "platform/path_limit.h"

#include "platform/os.h"

namespace Orvane::Os {
namespace {

// Room GetTempFileNameA keeps behind its folder for the name it adds.
constexpr std::size_t kTempNameRoom = 14;
constexpr char16_t kLongestTempNumber[] = u"FFFF";
constexpr char16_t kTempSuffix[] = u".TMP";

// The path as the call converts it: up to its first zero byte.
std::u16string AsCallSeesIt(const std::string& path) { return AnsiToWide(path.c_str()); }

bool EndsInSeparator(const std::u16string& path) {
    return !path.empty() && (path.back() == u'\\' || path.back() == u'/');
}

}  // namespace

bool FitsMaxPath(const std::string& path) { return AsCallSeesIt(path).size() < kMaxPath; }

bool FitsTempFileName(const std::string& folder, const std::string& prefix) {
    std::u16string longest = AsCallSeesIt(folder);
    if (longest.size() > kMaxPath - kTempNameRoom) return false;
    if (!EndsInSeparator(longest)) longest += u'\\';
    longest += AsCallSeesIt(prefix).substr(0, kTempPrefixCharacters);
    longest += kLongestTempNumber;
    longest += kTempSuffix;
    return WideToAnsi(longest).size() < kMaxPath;
}

}  // namespace Orvane::Os
