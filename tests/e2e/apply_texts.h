// What `orvpatch apply` prints, as its users see it (UTF-8), written out independently of the
// program's own constants so that a changed text is caught.
#pragma once

#include <string>

#include "support/text.h"

namespace Orvane::Test::ApplyText {

inline const std::string kUsage =
    "usage: orvpatch apply PATCH [--dry-run] [--json] [--replace-newer] [--folder DIR] "
    "[--log FILE]";

inline const std::string kCompleted = Utf8(u8"修正が完了しました！");
inline const std::string kNoFolder = Utf8(u8"インストール先が指定されていません！");
inline const std::string kNoPatchData = Utf8(u8"修正データがありません！");
inline const std::string kNotFound = Utf8(u8"修正データが見つかりません！");
inline const std::string kFileSizeWrong = Utf8(u8"ファイルサイズが変です！");
inline const std::string kHeaderReadFailed = Utf8(u8"修正データのヘッダの読み込みに失敗！");
inline const std::string kScriptLoadFailed = Utf8(u8"修正スクリプトの読み込みに失敗しました！");
inline const std::string kScriptParseFailed = Utf8(u8"修正データの解析に失敗しました！");
inline const std::string kCancelled = Utf8(u8"キャンセルボタンが押されたので終了します！");
inline const std::string kCopyCancelled = Utf8(u8"キャンセルボタンが押されたので終了します！ : CmdCopy");
inline const std::string kCopyFailed = Utf8(u8"更新ファイルの作成に失敗！");
inline const std::string kDeleteFailed = Utf8(u8"更新ファイルの削除に失敗！");
inline const std::string kArchiveOpenFailed = Utf8(u8"ARCファイルのOpenに失敗しました！");
inline const std::string kArchiveHeaderFailed = Utf8(u8"ヘッダの読み込みに失敗");
inline const std::string kEntryReadFailed = Utf8(u8"ファイルの読み込みに失敗！");
inline const std::string kPayloadMissing = Utf8(u8"更新ファイルが無い！");
inline const std::string kArchiveReplaceFailed = Utf8(u8"ARCファイルの更新に失敗しました！");
inline const std::string kCopiedFileMissing = Utf8(u8"更新ファイルの作成に失敗！！");
inline const std::string kTempNameFailed = Utf8(u8"テンポラリファイル名の作成に失敗！");
inline const std::string kTempCreateFailed = Utf8(u8"テンポラリファイルのCreateに失敗しました！");
inline const std::string kWriteFailed = "Error : BinaryWriter.Write(vector<Byte>&)";
inline const std::string kSyntaxError = Utf8(u8"syntax error！");
inline const std::string kUnsafePath = Utf8(u8"不正なパスが指定されています！");

// Progress lines, as written when stderr is not a terminal; names and paths are UTF-8.
inline std::string Copying(const std::string& name) {
    return Utf8(u8"『 ") + name + Utf8(u8" 』をコピー中...\n");
}
inline std::string Deleting(const std::string& path) {
    return Utf8(u8"『 ") + path + Utf8(u8" 』を削除中...\n");
}
inline std::string Updating(const std::string& path) {
    return Utf8(u8"『 ") + path + Utf8(u8" 』を更新中...\n");
}
inline std::string Replacing(const std::string& path) {
    return Utf8(u8"『 ") + path + Utf8(u8" 』ファイルをコピー中...\n");
}

}  // namespace Orvane::Test::ApplyText
