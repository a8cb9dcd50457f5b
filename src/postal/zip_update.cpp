#include "postal/zip_update.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <optional>

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/ini_file.h"
#include "base/text_lines.h"

namespace qm::postal {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string Url(const std::string& server, const char* path) {
  std::string base = server;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + path;
}

bool Exists(const std::string& path) { return QFileInfo::exists(QString::fromStdString(path)); }

// The server's version file as lines, or nothing when it cannot be had or has no key.
std::optional<std::vector<std::string>> FetchVersion(const std::string& server, const HttpOptions& http,
                                                     std::string& error) {
  const HttpResult r = HttpGet(Url(server, kVersionPath), http);
  if (!r.ok) {
    error = r.error;
    return std::nullopt;
  }
  std::vector<std::string> lines = SplitAnyLines(CorrectCR(r.body));
  if (lines.empty() || lines.front().empty()) {
    error = "version.txt に版がありません。";
    return std::nullopt;
  }
  return lines;
}

}  // namespace

std::string UpdateServer(const std::string& confIni) {
  std::string server;
  try {
    server = Trimmed(IniFile::Load(confIni).ReadString("SETTING", "ZIP_SERVER", ""));
  } catch (const Error&) {
    // An unreadable conf.ini is reported where the settings are read; the default serves.
  }
  return server.empty() ? kDefaultServer : server;
}

std::string CorrectCR(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 32) {
      out += text[i];
      continue;
    }
    out += "\r\n";
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

std::vector<std::string> SplitAnyLines(std::string_view text) {
  const std::vector<std::string_view> views = TextLines(text);
  return {views.begin(), views.end()};
}

InstalledVersion ReadInstalledVersion(const std::string& versionFile) {
  InstalledVersion v;
  if (!Exists(versionFile)) return v;  // nothing installed yet: every server key is newer
  try {
    const std::vector<std::string> lines = SplitAnyLines(ReadWholeFile(versionFile));
    if (!lines.empty()) v.key = lines[0];
    if (lines.size() >= 2) v.description = lines[1];
    else v.problem = "ファイル " + versionFile + " に版と説明の 2 行がありません。";
  } catch (const Error& e) {
    v.problem = e.what();
  }
  return v;
}

ProxySettings ReadProxySettings(const std::string& proDat) {
  ProxySettings p;
  if (!Exists(proDat)) return p;
  try {
    const std::vector<std::string> lines = SplitAnyLines(ReadWholeFile(proDat));
    if (lines.size() >= 2) {
      p.address = lines[0];
      p.port = lines[1];
    } else {
      p.problem = "ファイル " + proDat + " にアドレスとポートの 2 行がありません。";
    }
  } catch (const Error& e) {
    p.problem = e.what();
  }
  return p;
}

void WriteProxySettings(const std::string& proDat, const std::string& address, const std::string& port) {
  WriteFileAtomically(proDat, Joined({address, port}));
}

ProxyChoice ParseProxy(const std::string& address, const std::string& port) {
  ProxyChoice p;
  p.host = Trimmed(address);
  const std::string digits = Trimmed(port);
  bool number = !digits.empty() && digits.size() <= 9;
  for (char c : digits) number = number && c >= '0' && c <= '9';
  if (number) p.port = std::stoi(digits);
  else p.portCleared = true;
  return p;
}

CheckResult CheckServer(const std::string& server, const HttpOptions& http, const std::string& installedKey) {
  CheckResult r;
  const std::optional<std::vector<std::string>> lines = FetchVersion(server, http, r.error);
  if (!lines) return r;
  r.serverKey = lines->front();
  // Keys compare as bytes: a key written year first sorts by date.
  r.result = installedKey < r.serverKey ? ServerVersion::Newer : ServerVersion::NoUpdate;
  return r;
}

bool LooksLikeZipTable(std::string_view body) {
  if (body.empty() || body.find('\0') != std::string_view::npos) return false;
  for (const std::string& line : SplitAnyLines(body)) {
    if (line.empty()) continue;
    std::size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') ++i;
    if (i == 0 || i == line.size() || line[i] != ',') return false;
  }
  return true;
}

void InstallTable(const std::string& zipFolder, const std::vector<std::string>& versionLines,
                  const std::vector<std::string>& tableLines) {
  const std::string table = zipFolder + "/zip.dat";
  const std::string version = zipFolder + "/version.txt";
  const std::optional<std::string> oldTable = Exists(table) ? std::optional(ReadWholeFile(table)) : std::nullopt;
  WriteFileAtomically(table, Joined(tableLines));
  try {
    WriteFileAtomically(version, Joined(versionLines));
  } catch (const Error&) {
    // The version stays the old one, so the table goes back to the old one too.
    if (oldTable) WriteFileAtomically(table, *oldTable);
    else QFile::remove(QString::fromStdString(table));
    throw;
  }
}

DownloadResult DownloadAndInstall(const std::string& server, const HttpOptions& http, const std::string& zipFolder) {
  DownloadResult r;
  const std::optional<std::vector<std::string>> version = FetchVersion(server, http, r.error);
  if (!version) return r;
  const HttpResult table = HttpGet(Url(server, kZipPath), http);
  if (!table.ok) {
    r.error = table.error;
    return r;
  }
  if (!LooksLikeZipTable(table.body)) {
    r.error = "zip.dat が郵便番号データではありません。";
    return r;
  }
  try {
    InstallTable(zipFolder, *version, SplitAnyLines(table.body));
  } catch (const Error& e) {
    r.error = e.what();
    return r;
  }
  r.ok = true;
  r.installedKey = version->front();
  return r;
}

}  // namespace qm::postal
