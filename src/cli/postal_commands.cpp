#include "cli/postal_commands.h"

#include "base/cp932.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "cli/front/json_writer.h"
#include "cli/front/messages.h"
#include "cli/front/output.h"
#include "postal/national_csv.h"
#include "postal/zip_update.h"

namespace qm::cli {
namespace {

// A message of several lines on one line, the lines joined by a blank.
std::string OneLine(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      line += ' ';
      ++i;
    } else {
      line += text[i];
    }
  }
  return line;
}

// --proxy HOST:PORT, else the proxy the update dialog saved.
postal::HttpOptions ProxyOf(const Invocation& in) {
  postal::HttpOptions http;
  if (const auto given = in.args.Value("--proxy")) {
    const std::size_t colon = given->rfind(':');
    const postal::ProxyChoice p =
        postal::ParseProxy(given->substr(0, colon), colon == std::string::npos ? "" : given->substr(colon + 1));
    if (p.host.empty() || p.portCleared) throw Error(msg::BadProxy(*given));
    http.proxyHost = p.host;
    http.proxyPort = p.port;
    return http;
  }
  const postal::ProxySettings saved = postal::ReadProxySettings(in.data.ProxyFile());
  const postal::ProxyChoice p = postal::ParseProxy(saved.address, saved.port);
  http.proxyHost = p.host;
  http.proxyPort = p.port;
  return http;
}

}  // namespace

void ZipUpdateCommand(const Invocation& in) {
  const std::string server = in.args.Value("--server").value_or(postal::UpdateServer(in.data.ConfIni()));
  const postal::HttpOptions http = ProxyOf(in);
  const postal::InstalledVersion installed = postal::ReadInstalledVersion(in.data.ZipVersionFile());
  if (!installed.problem.empty()) std::fprintf(in.err, "qm: %s\n", installed.problem.c_str());
  const postal::CheckResult check = postal::CheckServer(server, http, installed.key);
  if (check.result == postal::ServerVersion::Failed)
    throw Error(OneLine(postal::kCheckFailed) + " (" + server + ": " + check.error + ")");
  std::string now = installed.key;
  const bool newer = check.result == postal::ServerVersion::Newer;
  if (newer) {
    EnsureFolder(in.data.ZipDir());
    const postal::DownloadResult r = postal::DownloadAndInstall(server, http, in.data.ZipDir());
    if (!r.ok) throw Error(OneLine(postal::kDownloadFailed) + " (" + r.error + ")");
    now = r.installedKey;
  }
  JsonWriter w;
  w.BeginObject();
  w.Key("Installed");
  w.String(cp932::Decode(now));
  w.Key("Server");
  w.String(cp932::Decode(check.serverKey));
  w.Key("Updated");
  w.Bool(newer);
  w.EndObject();
  WriteOutput(in.out, w.Take());
}

void ZipImportCommand(const Invocation& in) {
  EnsureFolder(in.data.ZipDir());
  const std::size_t lines = postal::ImportNationalCsv(in.args.operands.at(0), in.data.ZipDir());
  JsonWriter w;
  w.BeginObject();
  w.Key("Lines");
  w.Integer(static_cast<std::int64_t>(lines));
  w.EndObject();
  WriteOutput(in.out, w.Take());
}

}  // namespace qm::cli
