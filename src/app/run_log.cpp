#include "app/run_log.h"

#include <cstdio>

#include "commands/install_rules.h"
#include "common/utf8.h"

namespace Orvane {
namespace {

std::string WithRevision(const char* format, std::uint32_t revision) {
    char text[64];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(revision));
    return text;
}

std::string EffectPrefix(const CommandOutcome& outcome) {
    switch (outcome.effect) {
        case CommandEffect::Copied: return kLogCopied;
        case CommandEffect::KeptNewer: return kLogKeptNewer;
        case CommandEffect::Deleted: return kLogDeleted;
        case CommandEffect::Absent: return kLogAbsent;
        case CommandEffect::Rebuilt: return WithRevision(kLogRebuiltFormat, outcome.revision);
        case CommandEffect::KeptRevision:
            return WithRevision(kLogKeptRevisionFormat, outcome.revision);
    }
    return kLogCopied;
}

}  // namespace

void RunLog::Start(const std::string& title, const std::string& folder) {
    Line(kLogPatch, title);
    Line(kLogFolder, folder);
}

void RunLog::Command(const ICmdParams& record, const CommandOutcome& outcome) {
    Line(EffectPrefix(outcome), RecordPath(record));
}

void RunLog::Finish(const RunOutcome& outcome) {
    const char* prefix = outcome.completed ? kLogCompleted
                         : outcome.cancelled ? kLogCancelled
                                             : kLogFailed;
    Line(prefix, outcome.message);
}

void RunLog::Refuse(const std::string& text) { Line(kLogFailed, text); }

CommandReport RunLog::Reporter() {
    return [this](const ICmdParams& record, const CommandOutcome& outcome) {
        Command(record, outcome);
    };
}

void RunLog::Line(const std::string& prefix, const std::string& ansiText) {
    out_ << prefix << Common::Utf8FromAnsi(ansiText) << '\n';
    out_.flush();
    if (!out_) written_ = false;
}

}  // namespace Orvane
