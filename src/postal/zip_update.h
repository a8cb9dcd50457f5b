#pragma once
// Refreshing the postal table from the update server: the installed version (zip/
// version.txt), the proxy settings (pro.dat), the check for a newer version and the
// download that replaces zip.dat and version.txt. The download never leaves a broken
// table: both files are fetched and checked before anything is written, zip.dat is
// replaced first and version.txt last, and a failure leaves both as they were.
#include <string>
#include <string_view>
#include <vector>

#include "postal/http_client.h"

namespace qm::postal {

inline constexpr const char* kVersionPath = "/liveupdate/zipcode/version.txt";
inline constexpr const char* kZipPath = "/liveupdate/zipcode/zip.dat";
inline constexpr const char* kDefaultServer = "http://update.velora-quillmark.jp";

// What the update dialog says.
inline constexpr const char* kCheckFailed =
    "更新データを確認できませんでした。\r\nインターネット接続がされているか確認して下さい。\r\n"
    "セキュリティソフトを使っている場合はそちらも確認してください。";
inline constexpr const char* kNoUpdate = "データの更新はありませんでした。";
inline constexpr const char* kAskUpdate =
    "新しい更新データがありました\r\n更新を行いますか？\r\nデータサイズが大きいため、接続速度によっては時間がかかります。";
inline constexpr const char* kDownloadFailed =
    "更新データの取得に失敗しました。\r\nインターネット接続がされているか確認してください。\r\n"
    "セキュリティソフトを使っている場合はそちらも確認してください。";
inline constexpr const char* kUpdated = "更新に成功しました。";

// The update server of conf.ini: [SETTING] ZIP_SERVER, a base URL such as
// http://host:port, else kDefaultServer. Only read: whoever moves the server edits it.
std::string UpdateServer(const std::string& confIni);

// Every byte below 32 becomes CR LF, except that a CR LF pair stays one CR LF: a version
// file written with CR LF keeps its description on line 2.
std::string CorrectCR(std::string_view text);

// The lines of a text; CR LF, LF and CR each end a line, and a line end at the very end
// adds no empty line.
std::vector<std::string> SplitAnyLines(std::string_view text);

// The installed version: line 1 the key, line 2 the description (CP932 bytes). A file
// that is missing gives an empty key and description without error; `problem` names a
// file that exists but cannot be read or has fewer than two lines.
struct InstalledVersion {
  std::string key, description;
  std::string problem;
};
InstalledVersion ReadInstalledVersion(const std::string& versionFile);

// pro.dat: the proxy address and port as typed. Missing: both empty; `problem` names a
// file that exists with fewer than two lines (the fields are then left as they are).
struct ProxySettings {
  std::string address, port;
  std::string problem;
};
ProxySettings ReadProxySettings(const std::string& proDat);
// Writes the two lines; throws qm::Error naming the file when it cannot be written.
void WriteProxySettings(const std::string& proDat, const std::string& address, const std::string& port);

// The proxy fields as the check reads them: the address trimmed; the port trimmed and
// read as a number, 0 (and `portCleared`) when it is no number.
struct ProxyChoice {
  std::string host;
  int port = 0;
  bool portCleared = false;
};
ProxyChoice ParseProxy(const std::string& address, const std::string& port);

// The server's answer to a version check. Failed when the version file could not be
// fetched or holds no key.
enum class ServerVersion { Failed = -1, NoUpdate = 0, Newer = 1 };
struct CheckResult {
  ServerVersion result = ServerVersion::Failed;
  std::string serverKey;
  std::string error;
};
// `server` is the base URL, such as http://host:port.
CheckResult CheckServer(const std::string& server, const HttpOptions& http, const std::string& installedKey);

// Whether a body is a postal table: not empty, no NUL byte, and every non-empty line
// starts with digits and a comma.
bool LooksLikeZipTable(std::string_view body);

// Downloads both files and installs them in `zipFolder`. False (with `error` set) when a
// download or a check failed or a file could not be written; both files are then as
// they were.
struct DownloadResult {
  bool ok = false;
  std::string error;
  std::string installedKey;
};
DownloadResult DownloadAndInstall(const std::string& server, const HttpOptions& http, const std::string& zipFolder);

// The two files of the postal folder, written CR LF after every line: zip.dat first,
// version.txt last. Throws qm::Error, having put back what was there, when one cannot be
// written.
void InstallTable(const std::string& zipFolder, const std::vector<std::string>& versionLines,
                  const std::vector<std::string>& tableLines);

}  // namespace qm::postal
