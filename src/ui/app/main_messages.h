#pragma once
// What the main window says to the user.

namespace qm::ui::msg {

inline constexpr const char* kAppTitle = "Velora Quillmark";
inline constexpr const char* kConfirmNew = "未保存の編集中のデータは失われます。\r\n新規作成してよろしいですか？";
inline constexpr const char* kConfirmExitTail = "を終了してもよろしいですか？";
inline constexpr const char* kNotInTotalClaim = "この機能は合計請求モードでは使用できません。";
inline constexpr const char* kCannotRemoveMore = "これ以上削除できません。";
inline constexpr const char* kConfirmRemoveFilled =
    "削除するデータ中に入力済みのアイテムがあります。削除してもよろしいですか？";
inline constexpr const char* kInputLimit = "入力の制限を超えています。";
inline constexpr const char* kSelectToCopy = "コピーするアイテムを1つ選択してください。";
inline constexpr const char* kSelectToPaste = "貼り付けるアイテムを1つ選択してください。";
inline constexpr const char* kSelectToInsert = "挿入する行を1つ選択してください。";
inline constexpr const char* kSelectToDelete = "削除する行を1つ選択してください。";
inline constexpr const char* kSelectToMove = "移動するデータを１つ選択してください。";
inline constexpr const char* kCopied = "選択行をコピーしました。";
inline constexpr const char* kPasted = "選択行に貼り付けました。";
inline constexpr const char* kCannotMove = "これ以上移動できません。";
inline constexpr const char* kCannotInsert = "これ以上挿入する場合は、入力欄を追加してから行ってください。";
inline constexpr const char* kConfirmClearHistoryTail = "の履歴を削除してよろしいですか？";
inline constexpr const char* kHistoryClearedTail = "の履歴を削除しました。";
inline constexpr const char* kEtcNote = "※備考の印刷は4行目までです。（合計請求書の場合は1行目まで）";
inline constexpr const char* kNoUnit = "＜なし＞";

}  // namespace qm::ui::msg
