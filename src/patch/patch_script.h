// The patch script of a patch executable, loaded for one run.
//
// The constructor reads the whole "[SCRIPT]" block into memory and records where each entry of
// the "[FILE]" table begins. The run then asks for one command at a time and executes it
// before asking for the next, so a malformed record is found only after every earlier one:
//
//   auto script = std::make_shared<CPatchScript>(exePath, header.scriptOffset, header.version);
//   if (!script->Stream()) { ... kScriptLoadFailed ... }
//   for (;;) {
//       std::shared_ptr<ICmdParams> command = script->NextCommand();
//       if (!command) { ... kScriptParseFailed ... }
//       if (command->type == kEndOfScript) break;
//       ... execute it ...
//   }
//
// Record layouts (all start with u16 type, u16 recordSize; strings are u16 byte count +
// UTF-16LE bytes):
//   copy (0):    folder string, u16 payload index
//   delete (1):  path string
//   archive (2): path string, u16 revision,
//                u16 R, R x (u16 revision, name string),
//                u16 D, D x (u16 reserved, u16 payload index)
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/stream_base.h"
#include "patch/command_params.h"
#include "patch/pic_file.h"

namespace Orvane {

class CPatchScript {
public:
    using PicFile = Orvane::PicFile;
    using ICmdParams = Orvane::ICmdParams;
    using CopyParams = Orvane::CopyParams;
    using DeleteParams = Orvane::DeleteParams;
    using ArchiverParams = Orvane::ArchiverParams;

    // Opens the executable and loads the script behind the header. Never throws for format
    // errors: Stream() is empty when the file cannot be opened, version is 0, a tag is missing,
    // the script length runs past the end of the file, or the payload table is damaged.
    CPatchScript(const std::string& path, std::uint32_t scriptOffset, std::int32_t version);

    CPatchScript(const CPatchScript&) = delete;
    CPatchScript& operator=(const CPatchScript&) = delete;

    // The record at the cursor; an end marker (type kEndOfScript) when fewer than two script
    // bytes remain, empty when the record is malformed or names a payload that cannot be
    // loaded.
    std::shared_ptr<ICmdParams> NextCommand();

    // The u16 at the cursor; false, with nothing changed, when fewer than 2 bytes remain.
    bool ReadWord(std::uint16_t& value);
    // Copies count bytes (the buffer's size when not given) from the cursor into the buffer;
    // false, with nothing changed, when fewer bytes remain or the buffer is too small.
    bool ReadBytes(std::vector<std::uint8_t>& buffer,
                   std::optional<std::size_t> count = std::nullopt);
    // A u16 byte count and that many bytes of UTF-16LE text, converted to ANSI up to the first
    // zero character; the count goes to *byteCount when given. A text may end exactly at the
    // end of the script.
    bool ReadText(std::string& text, std::uint16_t* byteCount = nullptr);

    // The payload with the given index, loaded afresh; empty on failure. A run leaves the
    // payload's bytes in the file and streams them from there (PicFile::WriteData).
    std::shared_ptr<PicFile> LoadPicFile(std::size_t index,
                                         PayloadBytes bytes = PayloadBytes::Leave) const;

    const std::shared_ptr<Common::StreamBase>& Stream() const { return stream_; }
    const std::vector<std::uint32_t>& FilePositions() const { return filePositions_; }
    std::uint32_t Cursor() const { return cursor_; }
    // The file offset just behind the last payload: where the container ends. Whatever follows
    // (a signature, padding) is no patch data.
    std::uint64_t ContainerEnd() const { return containerEnd_; }
    const std::vector<std::uint8_t>& Script() const { return script_; }

private:
    bool Load(std::uint32_t scriptOffset, std::int32_t version);
    bool ReadScriptSection();
    std::size_t Remaining() const { return script_.size() - cursor_; }

    std::shared_ptr<Common::StreamBase> stream_;  // the executable, read in large blocks
    std::vector<std::uint32_t> filePositions_;
    std::uint32_t cursor_ = 0;
    std::uint64_t containerEnd_ = 0;
    std::vector<std::uint8_t> script_;
};

}  // namespace Orvane
