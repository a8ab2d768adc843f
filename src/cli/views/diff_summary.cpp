#include "cli/views/diff_summary.h"

#include <cstdint>

#include "author/release_payloads.h"
#include "cli/views/console.h"
#include "common/utf8_path.h"
#include "common/utf8.h"

namespace Orvane::Cli {
namespace {

constexpr char kIndent[] = "  ";
constexpr char kReorderedTail[] =
    " of them unchanged, added again only to reach the new archive's entry order";
constexpr char kWarning[] = "orvpatch diff: warning: ";
constexpr char kSkipWarning[] = "the copy leaves the old file, which is as new or newer: ";

std::string Utf8(const std::string& cp932) { return Common::Utf8FromAnsi(cp932); }

std::string Counted(std::size_t count, const char* what) {
    return std::to_string(count) + " " + what;
}

std::string RecordCounts(const std::vector<ScriptRecord>& records) {
    std::size_t counts[3] = {};
    for (const ScriptRecord& record : records) ++counts[record.index()];
    return Counted(counts[2], "archive update") + ", " + Counted(counts[0], "copy") + ", " +
           Counted(counts[1], "delete");
}

std::string InBytes(std::uint64_t bytes) { return " (" + Counted(bytes, "bytes") + ")"; }

// Unchanged entries that the update carries anyway, so that nobody wonders where the bytes go.
std::string Reordered(const Author::PlannedArchive& archive) {
    if (archive.reordered == 0) return "";
    return "; " + std::to_string(archive.reordered) + InBytes(archive.reorderedBytes) +
           kReorderedTail;
}

std::string ArchiveLine(const Author::PlannedArchive& archive) {
    if (!archive.byEntry) {
        return "shipped whole: " + Utf8(archive.path) + ": " + Utf8(archive.wholeReason) +
               InBytes(archive.bytes);
    }
    return "by entry: " + Utf8(archive.path) + " to revision " + std::to_string(archive.revision) +
           ", " + Counted(archive.removals, "removed") + ", " +
           Counted(archive.additions, "added") + InBytes(archive.bytes) + Reordered(archive);
}

std::string CheckLine(const DiffSummary& summary) {
    if (!summary.verified) return "not checked (--no-verify)";
    std::string line = "checked: every old release, patched twice, equals the new one";
    if (summary.plan.skipped.empty()) return line;
    return line + " but for " + Counted(summary.plan.skipped.size(), "copies left undone");
}

}  // namespace

void PrintSummary(const DiffSummary& summary) {
    PrintLine(stdout, "orvpatch diff: " + Counted(summary.oldReleases, "old release(s)") +
                          " to the new one");
    PrintLine(stdout, kIndent + std::string("records: ") + RecordCounts(summary.plan.records));
    PrintLine(stdout, kIndent + std::string("payloads: ") +
                          std::to_string(summary.description.payloads.size()) + " (" +
                          Counted(Author::PayloadBytes(summary.plan), "bytes") + ")");
    for (const Author::PlannedArchive& archive : summary.plan.archives) {
        PrintLine(stdout, kIndent + std::string("archive ") + ArchiveLine(archive));
    }
    for (const std::string& note : summary.plan.notes) {
        PrintLine(stdout, kIndent + std::string("note: ") + Utf8(note));
    }
    PrintLine(stdout, kIndent + CheckLine(summary));
    PrintLine(stdout, kIndent + std::string("wrote ") + summary.patch);
    if (summary.manifest) PrintLine(stdout, kIndent + std::string("wrote ") + *summary.manifest);
}

void PrintSkippedCopies(const Author::PatchPlan& plan, const std::vector<Author::Release>& olds) {
    for (const Author::SkippedCopy& skipped : plan.skipped) {
        PrintLine(stderr, kWarning + (kSkipWarning + Utf8(skipped.path)) + " (" +
                              Common::Utf8FromPath(olds[skipped.release].Root()) + ")");
    }
}

void PrintWarnings(const std::vector<std::string>& warnings) {
    for (const std::string& warning : warnings) PrintLine(stderr, kWarning + Utf8(warning));
}

}  // namespace Orvane::Cli
