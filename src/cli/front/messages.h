#pragma once
// What `qm` says to its user, kept in one place.
#include <string>

namespace qm::cli::msg {

inline constexpr const char* kUsageHead = "使い方: qm [--data DIR] COMMAND ...\n";
inline constexpr const char* kUsageTail =
    "  --data DIR  データフォルダ（conf.ini の場所）\n"
    "  --rate R    消費税率（既定: conf.ini の TAX、なければ 10）\n";
inline constexpr const char* kPrintSummary =
    "印刷ダイアログの「印刷」と同じ内容を、スプーラのプリンタ（既定: 既定のプリンタ）へ送ります。印刷した書類の PDF は"
    "発行控えに保存されます（--no-archive で保存しません）。";
inline constexpr const char* kDumpSummary = "見積ファイルを JSON で表示します。--calc で再計算してから表示します。";
inline constexpr const char* kBuildSummary = "JSON から見積ファイルを作成します。--calc で再計算してから保存します。";
inline constexpr const char* kCalcSummary = "再計算して小計・消費税・合計、各行の金額、税率ごとの合計 (TaxByRate) を JSON で表示します。";
inline constexpr const char* kCustomersSummary =
    "得意先マスタ (Customer.dat) を JSON で表示します。--csv で見出し付きの CSV ファイルに書き出します。--sort は JSON の"
    "キーの順に並べ替えます（お客様一覧と同じ比較）。import は CSV ファイルの各行を得意先として追加して保存し、追加した"
    "件数を表示します。--map FIELD=N で項目 FIELD に N 列目（1 から、0 はなし）を割り当てます。ないときはインポート画面の"
    "既定の割り当てです。";
inline constexpr const char* kItemsSummary =
    "商品マスタ (ItemList.dat) を JSON で表示します。--sort は JSON のキーの順に並べ替えます（単価と原価は数値として）。";
inline constexpr const char* kUnitsSummary = "単位マスタ (ItemUnit.dat) を JSON で表示します。";
inline constexpr const char* kConfigSummary = "動作環境設定と三つの会社情報 (conf.ini と img フォルダ) を JSON で表示します。";
inline constexpr const char* kLsSummary =
    "保存フォルダー (DIR/data) の見積ファイルを JSON で一覧表示します。--sort marker|name|company|comment|date で並べ替え、"
    "--desc で降順、--search company|comment|name|mode|date=語 で絞り込みます。";
inline constexpr const char* kSaveSummary =
    "JSON から見積ファイルを保存フォルダーに NAME.QM1 として保存します。既にあるときは --overwrite で上書きします。"
    "--calc で再計算してから保存します。";
inline constexpr const char* kBackupSummary = "保存フォルダーの見積ファイルを DIR の中の Backup+日付 フォルダーにコピーします。";
inline constexpr const char* kPagesSummary =
    "見積書などの印刷ページ（品目ページ・画像ページ・控え）の並びを JSON で表示します。印刷設定は print.ini の KIND の"
    "節から読み、--set KEY=値 で上書きします。";
inline constexpr const char* kRenderSummary =
    "印刷ジョブの I ページ目を PNG に書き出します（--dpi 既定 150）。--ops では描画命令の一覧を表示します。"
    "--tax none|exclusive|inclusive で税の表示を指定します。";
inline constexpr const char* kPdfSummary =
    "見積書などを PDF ファイルに書き出します（品目ページと画像ページ。控えは紙の印刷だけです）。印刷設定と --set、"
    "--tax は render と同じです。--fonts embed（既定は conf.ini の PDF_EMBED_FONTS、初期値 1）はフォントを埋め込み、"
    "--fonts system は以前の形式（フォント名のみ・PDF 1.2・無圧縮）で書き出します。書き出した PDF は発行控えに"
    "保存されます（--no-archive で保存しません）。";
inline constexpr const char* kIssuedSummary =
    "発行控え（印刷・PDF出力・qm pdf/print で発行した書類の PDF と記録）を扱います。ls は条件（取引日 --from/--to、"
    "金額 --min/--max、取引先 --customer、書類 --kind、組み合わせ可、範囲は端を含む）に合う記録を古い順に JSON で表示し、"
    "export は同じ記録を CSV（Shift-JIS、CR LF、見出し行）に書き出し、verify は全 PDF と記録の連鎖を確かめます"
    "（問題があれば終了コード 1）。";
inline constexpr const char* kTotalClaimSummary =
    "保存フォルダーの見積ファイル NAME（拡張子なし、指定の順）から合計請求書を作成して OUT.QM1 に保存します。"
    "--per-file はファイル単位、--per-line は各行単位で集計します。";
inline constexpr const char* kZipSummary =
    "郵便番号データ (zip.dat) を郵便番号の先頭一致、または --address で住所の部分一致（大文字小文字を区別しない）で"
    "検索し、{\"ZipCode\", \"Address\"} の配列で表示します。";
inline constexpr const char* kZipUpdateSummary =
    "更新サーバーに新しい郵便番号データがあれば取得して置き換えます。--server は conf.ini の ZIP_SERVER に、"
    "--proxy は pro.dat に代わります。";
inline constexpr const char* kZipImportSummary =
    "日本郵便の全国版郵便番号 CSV（15 項目、Shift-JIS）を zip.dat に変換して置き換えます。";
inline constexpr const char* kExportLinesSummary =
    "内容出力と同じ CSV（見出し行と全行、Shift-JIS、CR LF）を OUT.csv に書き出します。見出しと分類の字下げは conf.ini の"
    "設定に従います。";
inline constexpr const char* kPictureSummary =
    "LINE 行目（1 から）の画像をそのままの形式で OUT に書き出します。";
inline constexpr const char* kRestoreSummary = "保存フォルダーの見積ファイルを DIR の見積ファイルで置き換えます。";

inline std::string LineOverflow(int lineNo) { return "行 " + std::to_string(lineNo) + ": 入力の制限を超えています。"; }

inline std::string UnknownCommand(const std::string& name) {
  return "コマンド「" + name + "」はありません（qm --help で使い方を表示します）。";
}
inline std::string UnknownOption(const std::string& name) { return "オプション「" + name + "」はありません。"; }
inline std::string OptionNeedsValue(const std::string& name) { return "オプション " + name + " に値がありません。"; }
inline std::string OptionTakesNoValue(const std::string& name) { return "オプション " + name + " は値を取りません。"; }
inline std::string OptionNotForCommand(const std::string& option, const std::string& command) {
  return "オプション " + option + " は " + command + " コマンドでは使えません。";
}
inline std::string MissingArgument(const std::string& synopsis) { return "引数が足りません。使い方: " + synopsis; }
inline std::string ExtraArgument(const std::string& arg, const std::string& synopsis) {
  return "余分な引数「" + arg + "」があります。使い方: " + synopsis;
}
inline std::string BadRate(const std::string& text) {
  return "税率「" + text + "」は 0 以上の数値で指定してください。";
}
inline std::string NoDataFolder(const std::string& path) { return "データフォルダ " + path + " がありません。"; }
inline std::string CannotWriteOutput() { return "標準出力に書き込めません。"; }

inline std::string JsonSyntax(int line, const std::string& reason) {
  return "JSON の " + std::to_string(line) + " 行目付近に誤りがあります（" + reason + "）。";
}
inline std::string JsonNotObject() { return "JSON の最上位はオブジェクト { … } でなければなりません。"; }
inline std::string InJsonFile(const std::string& path, const std::string& what) {
  return "JSON ファイル " + path + ": " + what;
}
inline std::string InEstimateFile(const std::string& path, const std::string& what) {
  return "見積ファイル " + path + " を読み込めません: " + what;
}
inline std::string UnknownKey(const std::string& path) { return "キー「" + path + "」は使えません。"; }
inline std::string WrongType(const std::string& path, const std::string& expected) {
  return "キー「" + path + "」の値は" + expected + "でなければなりません。";
}
inline std::string NotANumber(const std::string& path, const std::string& text) {
  return "キー「" + path + "」の値「" + text + "」は数値ではありません。";
}
inline std::string OutOfRange(const std::string& path) { return "キー「" + path + "」の値が扱える範囲を超えています。"; }
inline std::string PictureWithoutFile(const std::string& path) {
  return "キー「" + path +
         "」の画像は {\"file\": \"画像ファイル\"} か {\"kind\": \"png\", \"data\": \"Base64\"} のどちらか一つで指定するか null にしてください。";
}
inline std::string PictureNotDecodable(const std::string& path) {
  return "画像ファイル " + path + " を画像として読み取れません。";
}
inline std::string BadSortColumn(const std::string& text) {
  return "並べ替えの列「" + text + "」はありません（marker, name, company, comment, date のいずれか）。";
}
inline std::string BadSearch(const std::string& text) {
  return "検索条件「" + text + "」は FIELD=語 の形で、FIELD は company, comment, name, mode, date のいずれかです。";
}

inline std::string UnknownKind(const std::string& text) {
  return "帳票の種類「" + text + "」はありません（tcMitumori などの名前か番号で指定します）。";
}
inline std::string NotPrintedHere(const std::string& text) {
  return "帳票の種類「" + text + "」は文書から印刷する帳票ではありません（見積書などと領収書・合計請求書・FAX送信状）。";
}
inline std::string TaxNotForKind(const std::string& text) {
  return "--tax は見積書などだけに使えます（帳票の種類「" + text + "」）。";
}
inline std::string TotalClaimNeedsMode() { return "--per-file か --per-line のどちらか一つを指定してください。"; }
inline std::string ZipUsage() { return "使い方: qm zip CODE または qm zip --address TEXT"; }
inline std::string BadProxy(const std::string& text) {
  return "プロキシ「" + text + "」は HOST:PORT の形で指定してください。";
}
inline std::string UnknownSortKey(const std::string& key, const std::string& keys) {
  return "並べ替えのキー「" + key + "」はありません（" + keys + "）。";
}
inline std::string BadMap(const std::string& text) {
  return "--map「" + text + "」は FIELD=N（FIELD は CustomerCode などの項目、N は 0 以上の列番号）で指定してください。";
}
inline std::string NotCustomersSubcommand(const std::string& text) {
  return "「" + text + "」は customers のサブコマンドではありません（import FILE.CSV）。";
}
inline std::string LineOutOfRange(const std::string& text, int count) {
  return "行「" + text + "」はありません（1 から " + std::to_string(count) + "）。";
}
inline std::string NoPicture(int line) { return "行 " + std::to_string(line) + " に画像はありません。"; }
inline std::string NotTotalClaim() { return "この機能は合計請求モード以外では使用できません。"; }
inline std::string BadTaxChoice(const std::string& text) {
  return "税の表示「" + text + "」は none, exclusive, inclusive のいずれかで指定してください。";
}
inline std::string BadSet(const std::string& text) { return "--set「" + text + "」は KEY=値 の形で指定してください。"; }
inline std::string IssuedNotKept(bool printed, const std::string& why) {
  return std::string(printed ? "印刷しましたが" : "PDF を書き出しましたが") + "、発行控えを保存できませんでした: " + why;
}
inline std::string ArchiveNotIntact(std::size_t problems) {
  return "発行控えに問題が " + std::to_string(problems) + " 件あります。";
}
inline std::string BadBuyerEndpoint(const std::string& text) {
  return "--buyer-endpoint の「" + text + "」は SCHEME:ID（例: 0188:1234567890123）で指定してください。";
}
inline std::string BadPeriod(const std::string& text) {
  return "--period の「" + text + "」は 開始日:終了日（例: 2026-12-01:2026-12-31、終了日は開始日以降）で指定してください。";
}
inline constexpr const char* kEInvoiceSummary =
    "請求書・請求明細書・合計請求書から、デジタルインボイス（JP PINT、UBL 2.1、UTF-8 の XML）を OUT.xml に書き出します。"
    "売り手は印刷設定の自社情報（登録番号と Peppol ID が必要）、買い手は得意先（PeppolID.dat の Peppol ID、"
    "--buyer-endpoint で指定も可）、請求期間は既定で伝票日付の月です。";
inline std::string BadIssuedCommand(const std::string& text) {
  return "「" + text + "」は qm issued の ls, export, verify のどれでもありません。";
}
inline std::string BadIssuedDate(const std::string& option, const std::string& text) {
  return option + " の「" + text + "」は日付（2026-12-10 や 令和8年12月10日）で指定してください。";
}
inline std::string BadIssuedAmount(const std::string& option, const std::string& text) {
  return option + " の「" + text + "」は金額の数値で指定してください。";
}
inline std::string BadFonts(const std::string& text) {
  return "フォントの指定「" + text + "」は embed か system で指定してください。";
}
inline std::string BadDpi(const std::string& text) { return "解像度「" + text + "」は 1 から 1200 の整数で指定してください。"; }
inline std::string RenderNeedsPage() { return "--page でページ番号を指定してください。"; }
inline std::string RenderNeedsOutOrOps() { return "--out PNGファイル か --ops のどちらか一方を指定してください。"; }
inline std::string PageOutOfRange(const std::string& text, int count) {
  return "ページ「" + text + "」はありません（1 から " + std::to_string(count) + " まで）。";
}
inline std::string CannotEncodePng() { return "PNG 画像を作成できません。"; }

}  // namespace qm::cli::msg
