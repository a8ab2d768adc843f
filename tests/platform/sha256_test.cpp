// The system's SHA-256 against the published test vectors, given whole and in pieces that
// straddle blocks.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "platform/sha256.h"

namespace Orvane::Test {
namespace {

struct Vector {
    std::string message;
    const char* digest;
};

const Vector kVectors[] = {
    {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
};

std::string Hex(const std::optional<Os::Sha256Digest>& digest) {
    if (!digest) return "no digest";
    std::string text;
    for (std::uint8_t byte : *digest) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", byte);
        text += pair;
    }
    return text;
}

TEST(Sha256Test, GivesThePublishedDigestsWholeOrInPieces) {
    for (const Vector& vector : kVectors) {
        Os::Sha256 whole;
        whole.Update(vector.message.data(), vector.message.size());
        EXPECT_EQ(Hex(whole.Finish()), vector.digest);

        Os::Sha256 pieces;
        for (std::size_t at = 0; at < vector.message.size(); at += 37) {
            pieces.Update(vector.message.data() + at,
                          std::min<std::size_t>(37, vector.message.size() - at));
        }
        EXPECT_EQ(Hex(pieces.Finish()), vector.digest) << "in pieces of 37";
    }
}

}  // namespace
}  // namespace Orvane::Test
