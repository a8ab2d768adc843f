// `orvpatch info --json`: the same content as the text form, as one JSON document.
//
//   {"container": {"offset", "scriptOffset", "version", "title", "reserved" (version 1 only),
//                  "registryKey"},
//    "payloads": [{"index", "kind", "name", "created", "modified", "size", "loadable",
//                  "problem" (only when not loadable: why the patch program cannot load it)}],
//    "records": [{"type": "copy", "folder", "payload"},
//                {"type": "delete", "path"},
//                {"type": "archive", "path", "revision",
//                 "removals": [{"name", "revision"}], "additions": [{"payload", "reserved"}]}],
//    "signature": {"signed", "subject", "digestMatches" (null: not checked), "problem",
//                  "trailingBytes" (bytes after the container that are neither signature nor
//                  padding)},
//    "error": text}                         (only when reading stopped)
//
// A part that was not reached is left out. Texts are UTF-8; time stamps are the stored fields,
// "2024-03-05T14:30:00".
#pragma once

#include <string>

#include "cli/signing/signature_check.h"
#include "patch/container_reader.h"

namespace Orvane::Cli {

std::string ContainerJson(const ContainerReading& reading, const SignatureInfo& signature);

}  // namespace Orvane::Cli
