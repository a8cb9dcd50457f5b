#pragma once
// What the listing, backup and restore say to the user.
#include <string>

namespace qm::files_msg {

inline std::string Unreadable(const std::string& fileName, const std::string& problem) {
  return "見積ファイル " + fileName + " を読み込めません: " + problem;
}
inline std::string Truncated(std::size_t offset) {
  return "ファイルが途中で終わっています（" + std::to_string(offset) + " バイト目）。";
}
inline std::string BadLength(long long length, std::size_t offset) {
  return "長さ " + std::to_string(length) + " がファイルの大きさに合いません（" + std::to_string(offset) +
         " バイト目）。";
}
inline std::string BadMode(const std::string& text) { return "合計請求の指定「" + text + "」を読めません。"; }
inline std::string CannotOpen(const std::string& reason) { return "ファイルを開けません（" + reason + "）。"; }

inline std::string BackupCreated(const std::string& folder) {
  return "バックアップファイルを[" + folder + "]フォルダーに作成しました。";
}
inline constexpr const char* kBackupFolderFailed = "バックアップ先のフォルダー作成に失敗しました。";
inline std::string Restored(int count) { return std::to_string(count) + "件のデータを復元しました。"; }
inline constexpr const char* kNoBackupData = "バックアップデータが存在しません。";
inline constexpr const char* kArchiveBackedUp = "発行控えもバックアップしました。";
inline constexpr const char* kArchiveRestored = "発行控えも復元しました。";
inline constexpr const char* kArchiveKept = "発行控えは今のものを残しました（発行控えは書き換えません）。";

inline std::string StagingFailed(const std::string& folder) {
  return "作業用フォルダー " + folder + " を作成できません。保存フォルダーは変更していません。";
}
inline std::string RestoreCopyFailed(const std::string& file) {
  return "バックアップファイル " + file + " をコピーできません。保存フォルダーは変更していません。";
}
inline std::string RestoreMoveFailed(const std::string& file, const std::string& staging) {
  return "復元したファイル " + file + " を保存フォルダーに移せません。残りのファイルは " + staging + " にあります。";
}

}  // namespace qm::files_msg
