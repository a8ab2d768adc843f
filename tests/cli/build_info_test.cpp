// `orvpatch build` and `orvpatch info`, run as the user runs them.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>
#include <nlohmann/json.hpp>

#include "support/byte_builder.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/text.h"

namespace Orvane {
namespace {

using Test::ByteBuilder;
using Test::Bytes;
using Test::PeImage;
using ProgramRun = Test::ChildResult;
using Test::TempFolder;
using Test::Utf8;

constexpr char kProgram[] = ORVPATCH_PROGRAM;
constexpr std::time_t kReadmeTime = 1700000000;

const std::u8string kManifest = u8R"(title = "デモ修正 1.1"
registry-key = 'Software\Orvane\Demo'
reserved = 3

[[payload]]
file = "files/readme.txt"

[[payload]]
file = "files/image.bmp"
id = "image"
name = "画像.bmp"
kind = 5
created = 2001-02-03T04:05:06
modified = 2024-03-05T14:30:00

[[record]]
type = "copy"
payload = "readme.txt"
folder = "doc/表"

[[record]]
type = "delete"
path = 'old\old.dat'

[[record]]
type = "archive"
path = "data/x.arc"
revision = 2
remove = [{ name = "a.bmp", revision = 1 }]
add = ["image"]
)";

std::string LocalStamp(std::time_t time) {
    std::tm fields{};
    localtime_r(&time, &fields);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &fields);
    return text;
}

class BuildInfoTest : public testing::Test {
protected:
    void SetUp() override {
        stub_ = PeImage({{0x200, 0x200}, {0x400, 0x100}});
        folder_.WriteFile("stub.exe", stub_);
        folder_.WriteFile("files/readme.txt", std::string("hello\n"));
        folder_.WriteFile("files/image.bmp", Bytes{'B', 'M', 0});
        timespec times[2] = {{kReadmeTime, 0}, {kReadmeTime, 0}};
        utimensat(AT_FDCWD, (folder_ / "files/readme.txt").c_str(), times, 0);
    }
    ProgramRun Run(const std::vector<std::string>& arguments) {
        return RunProgram(kProgram, arguments);
    }
    ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
        return Orvane::Test::RunChild(program, arguments, {}, folder_.Path());
    }
    ProgramRun Build(const std::u8string& manifest) {
        folder_.WriteFile("patch.toml", Utf8(manifest));
        return Run({"build", folder_ / "patch.toml", "-o", folder_ / "patch.exe", "--stub",
                    folder_ / "stub.exe"});
    }
    std::string Patch() const { return folder_ / "patch.exe"; }

    TempFolder folder_;
    Bytes stub_;
};

TEST_F(BuildInfoTest, InfoShowsWhatTheManifestSaysAsTextAndJson) {
    ASSERT_EQ(Build(kManifest).exitCode, 0);
    ProgramRun info = Run({"info", Patch()});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    std::string stamp = LocalStamp(kReadmeTime);
    std::string expected = Utf8(u8R"(version       1
title         "デモ修正 1.1"
reserved      3
registry key  "Software\Orvane\Demo"
payloads
  #0  kind 0  "readme.txt"  created )") + stamp + "  modified " + stamp + Utf8(u8R"(  6 bytes
  #1  kind 5  "画像.bmp"  created 2001-02-03 04:05:06  modified 2024-03-05 14:30:00  3 bytes
records
  copy     "doc\表\" <- #0 "readme.txt"
  delete   "old\old.dat"
  archive  "data\x.arc" -> revision 2
           remove "a.bmp" (revision 1)
           add #1 "画像.bmp"
signature: none
)");
    std::string container = "container     " + std::to_string(stub_.size());
    EXPECT_EQ(info.out.substr(0, container.size()), container);
    EXPECT_EQ(info.out.substr(info.out.find("version")), expected);

    nlohmann::json json = nlohmann::json::parse(Run({"info", "--json", Patch()}).out);
    EXPECT_EQ(json["container"]["offset"], stub_.size());
    EXPECT_EQ(json["container"]["title"], Utf8(u8"デモ修正 1.1"));
    EXPECT_EQ(json["payloads"][1]["created"], "2001-02-03T04:05:06");
    EXPECT_EQ(json["records"][0]["folder"], Utf8(u8"doc\\表\\"));
    EXPECT_EQ(json["records"][2]["removals"][0]["revision"], 1);
    EXPECT_FALSE(json.contains("error"));
}

TEST_F(BuildInfoTest, DamagedRecordShowsTheRecordsBeforeItAndTheProgramsText) {
    ASSERT_EQ(Build(kManifest).exitCode, 0);
    Bytes patch = folder_.ReadFile("patch.exe");
    Bytes archivePath = ByteBuilder().Text16(u"data\\x.arc").Get();
    auto found = std::search(patch.begin(), patch.end(), archivePath.begin(), archivePath.end());
    ASSERT_NE(found, patch.end());
    *(found - 4) = 9;  // the archive record's type
    folder_.WriteFile("damaged.exe", patch);

    ProgramRun info = Run({"info", folder_ / "damaged.exe"});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_NE(info.out.find("  delete   \"old\\old.dat\"\n"), std::string::npos);
    EXPECT_EQ(info.out.find("archive"), std::string::npos);
    EXPECT_EQ(info.err, Utf8(u8"修正データの解析に失敗しました！\n"));
    ProgramRun json = Run({"info", "--json", folder_ / "damaged.exe"});
    EXPECT_EQ(nlohmann::json::parse(json.out)["records"].size(), 2u);
}

// Payload #0, which a copy record names, has stamps on February 31st, which the program
// accepts; #1, which nothing uses, a creation stamp in month 13.
TEST_F(BuildInfoTest, InfoShowsStoredStampsAndUnloadablePayloadsWithoutHidingRecords) {
    folder_.WriteFile("odd.exe", ByteBuilder().Append(stub_).Ascii("PATCHv01").Text16(u"t").U16(0)
        .Text16(u"k").Ascii("[SCRIPT]").U32(8).U16(0).U16(8).U16(0).U16(0).Ascii("[FILE]").U16(2)
        .U16(0).Text16(u"a").Stamp(2024, 2, 31, 10, 0, 0).Stamp(2024, 2, 31, 10, 0, 0).U32(0)
        .U16(0).Text16(u"b").Stamp(2024, 13, 1, 0, 0, 0).Stamp(2024, 1, 1, 0, 0, 0).U32(0).Get());
    ProgramRun info = Run({"info", folder_ / "odd.exe"});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.substr(info.out.find("payloads")), R"(payloads
  #0  kind 0  "a"  created 2024-02-31 10:00:00  modified 2024-02-31 10:00:00  0 bytes
  #1  kind 0  "b"  created 2024-13-01 00:00:00  modified 2024-01-01 00:00:00  0 bytes  cannot be loaded: creation time stamp not accepted as a local time
records
  copy     "" <- #0 "a"
signature: none
)");
    nlohmann::json json = nlohmann::json::parse(Run({"info", "--json", folder_ / "odd.exe"}).out);
    EXPECT_EQ(json["payloads"][0]["modified"], "2024-02-31T10:00:00");
    EXPECT_EQ(json["payloads"][0]["loadable"], true);
    EXPECT_EQ(json["payloads"][1]["problem"], "creation time stamp not accepted as a local time");
}

TEST_F(BuildInfoTest, StubWithoutContainerIsReportedAsTheProgramDoes) {
    ProgramRun info = Run({"info", folder_ / "stub.exe"});
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_EQ(info.err, Utf8(u8"修正データが見つかりません！\n"));
}

TEST_F(BuildInfoTest, ManifestMistakesNameTheirLine) {
    struct Case { std::u8string manifest; std::string where; std::string names = ""; };
    const std::u8string head = u8"title = \"t\"\nregistry-key = \"k\"\n";
    const Case cases[] = {
        {head + u8"colour = 1\n", ":3: unknown key 'colour'"},
        {u8"title = \"t\"\n", ":1: missing key 'registry-key'"},
        {head + u8"[[payload]]\nfile = \"files/none\"\n", ":3: cannot read payload file"},
        {head + u8"[[record]]\ntype = \"move\"\n", ":4: 'type' must be"},
        {head + u8"[[record]]\ntype = \"copy\"\npayload = \"nothing\"\n", ":5: no payload has the id"},
        {head + u8"[[record]]\ntype = \"delete\"\npath = \"a\"\nfolder = \"b\"\n",
         ":6: unknown key 'folder'"},
        {head + u8"version = 2\n", ":3: 'version' must be an integer from 0 to 1"},
        {u8"version = 0\n" + head, ":1: 'version' 0 makes a patch whose script the patch program"},
        {head + u8"[[payload]]\nfile = \"files/readme.txt\"\nmodified = 1969-12-31T00:00:00\n",
         ":5: 'modified' is not a local time"},
        {head + u8"title = \"again\"\n", ":3: not a TOML file"},
        // Paths the diff would not plan: the patch program refuses them, or Windows cannot
        // hold a name in them.
        {head + u8"[[record]]\ntype = \"delete\"\npath = \"../../x\"\n",
         ":3: record 1: a path that the patch program refuses", "..\\..\\x"},
        {head + u8"[[record]]\ntype = \"delete\"\npath = \"/etc/passwd\"\n",
         ":3: record 1: a path that the patch program refuses", "\\etc\\passwd"},
        {head + u8"[[record]]\ntype = \"delete\"\npath = \"a\"\n[[record]]\ntype = \"delete\"\n"
                u8"path = \"data/a?b.txt\"\n",
         ":6: record 2: a name that Windows cannot hold", "data\\a?b.txt"},
        {head + u8"[[record]]\ntype = \"archive\"\npath = \"x|y.arc\"\nrevision = 1\n",
         ":3: record 1: a name that Windows cannot hold"},
        {head + u8"[[payload]]\nfile = \"files/readme.txt\"\n[[record]]\ntype = \"copy\"\n"
                u8"payload = \"readme.txt\"\nfolder = \"Con\"\n",
         ":5: record 1: a name that Windows cannot hold", "Con\\readme.txt"},
        {head + u8"[[payload]]\nfile = \"files/readme.txt\"\nname = \"trail.\"\n[[record]]\n"
                u8"type = \"copy\"\npayload = \"trail.\"\n",
         ":6: record 1: a name that Windows cannot hold"},
    };
    for (const Case& c : cases) {
        ProgramRun build = Build(c.manifest);
        EXPECT_EQ(build.exitCode, 1) << c.where;
        EXPECT_NE(build.err.find("patch.toml" + c.where), std::string::npos) << build.err;
        EXPECT_NE(build.err.find(c.names), std::string::npos) << build.err;
        EXPECT_FALSE(folder_.Exists("patch.exe")) << c.where;
    }
}

// A manifest that cannot be read is a file's failure (1), not a mistake in the arguments.
TEST_F(BuildInfoTest, UsageMistakesExitWith2) {
    EXPECT_EQ(Run({"build", folder_ / "patch.toml"}).exitCode, 2);
    EXPECT_EQ(Run({"build", folder_ / "patch.toml", "-o", Patch(), "--stub", folder_ / "stub.exe"})
                  .exitCode,
              1);
    EXPECT_EQ(Run({"info"}).exitCode, 2);
    EXPECT_EQ(Run({"info", "--yaml", Patch()}).exitCode, 2);
}

// A patch signed while it is built: info names the signer; one payload byte changed afterwards
// breaks the signed digest (exit 1). Bytes appended to an unsigned patch are warned about.
TEST_F(BuildInfoTest, SignedPatchShowsItsSignerAndAnyChangeAfterSigning) {
    ASSERT_EQ(RunProgram("/usr/bin/openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                                     "-subj", "/CN=orvpatch test", "-keyout", folder_ / "key.pem",
                                     "-out", folder_ / "cert.pem"}).exitCode, 0);
    folder_.WriteFile("patch.toml", Utf8(kManifest));
    Bytes stub = stub_;
    stub[Orvane::Test::kPeHeadersOffset + 24 + 92] = 16;  // the optional header's data directory count
    folder_.WriteFile("signable.exe", stub);
    ProgramRun build = Run({"build", folder_ / "patch.toml", "-o", Patch(), "--stub",
                            folder_ / "signable.exe", "--sign-cert", folder_ / "cert.pem",
                            "--sign-key=" + (folder_ / "key.pem")});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    ProgramRun info = Run({"info", Patch()});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("signature: signed by /CN=orvpatch test, the signed digest matches"),
              std::string::npos) << info.out;
    EXPECT_EQ(info.err, "");

    Bytes patch = folder_.ReadFile("patch.exe");
    Bytes hello{'h', 'e', 'l', 'l', 'o'};
    auto payload = std::search(patch.begin(), patch.end(), hello.begin(), hello.end());
    ASSERT_NE(payload, patch.end());
    *payload = 'j';
    folder_.WriteFile("changed.exe", patch);
    ProgramRun changed = Run({"info", "--json", folder_ / "changed.exe"});
    EXPECT_EQ(changed.exitCode, 1);
    nlohmann::json signature = nlohmann::json::parse(changed.out)["signature"];
    EXPECT_EQ(signature["signed"], true);
    EXPECT_EQ(signature["digestMatches"], false);

    ASSERT_EQ(Build(kManifest).exitCode, 0);
    Bytes extended = folder_.ReadFile("patch.exe");
    extended.push_back(0x42);
    folder_.WriteFile("extended.exe", extended);
    ProgramRun extra = Run({"info", folder_ / "extended.exe"});
    EXPECT_EQ(extra.exitCode, 0);
    EXPECT_EQ(extra.err, "orvpatch info: warning: 1 bytes after the patch container are neither "
                         "its signature nor padding\n");
}

}  // namespace
}  // namespace Orvane
