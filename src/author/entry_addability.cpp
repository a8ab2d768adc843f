#include "author/entry_addability.h"

#include "common/ctime.h"
#include "common/failure.h"
#include "common/text_encoding.h"

namespace Orvane::Author {
namespace {

// Offsets in a narrow-layout entry header.
constexpr std::size_t kNarrowNameLength = 13;
constexpr std::size_t kNarrowReserved = 14;

bool StampSurvives(const ArcEntry& fields) {
    try {
        Basic::CTime time(fields.year, fields.month, fields.day, fields.hour, fields.minute,
                          fields.second);
        return time.GetYear() == fields.year && time.GetMonth() == fields.month &&
               time.GetDay() == fields.day && time.GetHour() == fields.hour &&
               time.GetMinute() == fields.minute && time.GetSecond() == fields.second;
    } catch (const PlainFailure&) {
        return false;
    }
}

const char* NameProblem(const ArchiveEntry& entry) {
    const ArcEntry& fields = entry.fields;
    const Bytes& head = entry.stored.head;
    if (fields.name.empty()) return kEmptyName;
    if (fields.unicodeNames) {
        return Common::Utf16BytesFromAnsi(fields.name) != fields.storedName ? kNameOutsideCodePage
                                                                            : nullptr;
    }
    if (head[kNarrowNameLength] != fields.name.size()) return kZeroInName;
    if (head[kNarrowReserved] != 0 || head[kNarrowReserved + 1] != 0) return kReservedNotZero;
    return nullptr;
}

}  // namespace

std::string WhyNotAddable(const ArchiveEntry& entry) {
    std::optional<Bytes> added = AddedEntryHead(PayloadForEntry(entry.fields),
                                                entry.fields.dataSize, entry.fields.unicodeNames);
    if (added && *added == entry.stored.head) return "";
    if (const char* problem = NameProblem(entry)) return problem;
    if (!StampSurvives(entry.fields)) return kStampNotKept;
    return kNotReproducible;
}

}  // namespace Orvane::Author
