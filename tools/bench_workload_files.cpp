#include "tools/bench_workload_files.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "link/arc_entry.h"
#include "link/arc_header.h"
#include "common/binary_writer.h"
#include "platform/os.h"

namespace Orvane::Tools {
namespace {

constexpr std::size_t kChunkSize = 1 << 20;
constexpr char kCannotCreate[] = "cannot create ";

}  // namespace

Pattern::Pattern(std::uint32_t seed) : chunk_(kChunkSize) {
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : chunk_) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
}

void Pattern::Write(Common::StreamBase& out, std::uint64_t size, std::uint32_t number) {
    for (int i = 0; i < 4; ++i) chunk_[i] = static_cast<std::uint8_t>(number >> (8 * i));
    while (size > 0) {
        auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, kChunkSize));
        if (!out.Write(chunk_.data(), count)) throw std::runtime_error("write failed");
        size -= count;
    }
}

std::shared_ptr<Common::FileStream> Create(const std::string& path) {
    Os::MakeSureDirectoryPathExists(path);
    auto stream = std::make_shared<Common::FileStream>(path, Common::CreateAlways,
                                                       Common::FileAccess::Write,
                                                       Common::FileShare::None);
    if (!stream->CanWrite()) throw std::runtime_error(kCannotCreate + path);
    return stream;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error(kCannotCreate + path);
}

std::string EntryName(std::uint32_t number) {
    char name[32];
    std::snprintf(name, sizeof name, "e%06u.bin", number);
    return name;
}

void WriteArchive(const std::string& path, std::uint32_t revision,
                  const std::vector<ArchiveEntryPlan>& entries, std::uint32_t entrySize) {
    auto stream = Create(path);
    ArcHeader header{kMagicLink6, "bench", revision};
    header.Write(stream);
    ArcEntry entry;
    entry.unicodeNames = true;
    entry.month = entry.day = 1;
    entry.dataSize = entrySize;
    Pattern original(1), replacement(2);
    for (const ArchiveEntryPlan& plan : entries) {
        entry.name = EntryName(plan.number);
        entry.year = plan.replaced ? 2021 : 2020;
        entry.Write(stream);
        (plan.replaced ? replacement : original).Write(*stream, entrySize, plan.number);
    }
    Common::BinaryWriter(stream).Write(std::uint32_t{0});
}

std::string ManifestHead() {
    return "title = \"bench\"\nregistry-key = 'Software\\Orvane\\Bench'\n";
}

}  // namespace Orvane::Tools
