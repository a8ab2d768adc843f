// The log of a patch run, in UTF-8: what the Windows program writes with /LOG="FILE" and
// `orvpatch apply --log FILE` writes, line for line the same.
//
//   patch: TITLE
//   folder: FOLDER
//   copied: data\new.bin                   one line per command carried out, in script order:
//   left as newer: data\old.bin            copied, left as newer, deleted, absent,
//   deleted: data\gone.txt                 rebuilt to revision N, left at revision N
//   absent: data\never.txt
//   rebuilt to revision 3: data\pack.arc
//   left at revision 5: data\other.arc
//   completed: 修正が完了しました！           or failed: TEXT, or cancelled: TEXT
//
// TEXT is the message as the program's message box shows it; a text of several lines (the copy
// command's Cancel names the file first) keeps its line feeds. Paths are relative to the folder.
// Every line is flushed as it is written, so a run that is killed leaves the lines so far.
//
//   RunLog log(file);
//   log.Start(title, folder);
//   RunOutcome outcome = RunPatch(inputs, errors, openProgress, log.Reporter());
//   log.Finish(outcome);          // or log.Refuse(text) when the run could not start
#pragma once

#include <ostream>
#include <string>

#include "app/run_patch.h"

namespace Orvane {

// The words of the log; fixed, so that tools can read it.
inline constexpr char kLogPatch[] = "patch: ";
inline constexpr char kLogFolder[] = "folder: ";
inline constexpr char kLogCopied[] = "copied: ";
inline constexpr char kLogKeptNewer[] = "left as newer: ";
inline constexpr char kLogDeleted[] = "deleted: ";
inline constexpr char kLogAbsent[] = "absent: ";
inline constexpr char kLogRebuiltFormat[] = "rebuilt to revision %u: ";
inline constexpr char kLogKeptRevisionFormat[] = "left at revision %u: ";
inline constexpr char kLogCompleted[] = "completed: ";
inline constexpr char kLogFailed[] = "failed: ";
inline constexpr char kLogCancelled[] = "cancelled: ";

class RunLog {
public:
    explicit RunLog(std::ostream& out) : out_(out) {}

    // The patch's title and the installation folder (code page 932).
    void Start(const std::string& title, const std::string& folder);
    void Command(const ICmdParams& record, const CommandOutcome& outcome);
    void Finish(const RunOutcome& outcome);
    // The run did not start: the text of the refusal (code page 932).
    void Refuse(const std::string& text);

    // Command() as the run's CommandReport.
    CommandReport Reporter();

    // False once a line could not be written (a full disk, a removed medium): the log lacks
    // lines from there on. The run goes on regardless; the front end says so at its end.
    bool Written() const { return written_; }

private:
    void Line(const std::string& prefix, const std::string& ansiText);

    std::ostream& out_;
    bool written_ = true;
};

}  // namespace Orvane
