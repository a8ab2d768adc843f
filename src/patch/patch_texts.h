// The fixed texts with which the patch program reports a missing or damaged patch container.
// The Windows program's main dialog, its run driver and `orvpatch` show them as they are.
#pragma once

namespace Orvane {

// Start-up: nothing follows the executable image.
inline constexpr char kPatchDataNotFound[] = "修正データが見つかりません！";
// Start-up: the image headers cannot be walked, or the image claims to end past the file.
inline constexpr char kFileSizeWrong[] = "ファイルサイズが変です！";
// Start-up: the container header is missing, damaged or cut short.
inline constexpr char kHeaderReadFailed[] = "修正データのヘッダの読み込みに失敗！";
// Run: the script section or the payload table cannot be loaded.
inline constexpr char kScriptLoadFailed[] = "修正スクリプトの読み込みに失敗しました！";
// Run: a script record is malformed or names a payload that cannot be loaded.
inline constexpr char kScriptParseFailed[] = "修正データの解析に失敗しました！";

}  // namespace Orvane
