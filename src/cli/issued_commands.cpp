#include "cli/issued_commands.h"

#include "archive/issue_archive.h"
#include "base/atomic_file.h"
#include "base/era_date.h"
#include "base/error.h"
#include "cli/front/json_writer.h"
#include "cli/front/messages.h"
#include "cli/front/output.h"

namespace qm::cli {
namespace {

using archive::IssuedRecord;

archive::IssueFilter FilterOf(const Invocation& in) {
  archive::IssueFilter f;
  const auto date = [&](const char* option, std::optional<QDate>& into) {
    if (const auto text = in.args.Value(option)) {
      const QDate d = ParseDateText(*text);
      if (!d.isValid()) throw Error(msg::BadIssuedDate(option, *text));
      into = d;
    }
  };
  const auto amount = [&](const char* option, std::optional<Currency>& into) {
    if (const auto text = in.args.Value(option)) {
      const auto v = Currency::TryParseDecimal(*text);
      if (!v) throw Error(msg::BadIssuedAmount(option, *text));
      into = *v;
    }
  };
  date("--from", f.from);
  date("--to", f.to);
  amount("--min", f.min);
  amount("--max", f.max);
  f.customer = in.args.Value("--customer").value_or("");
  if (const auto kind = in.args.Value("--kind")) {
    f.kind = FindKind(*kind);
    if (!f.kind) throw Error(msg::UnknownKind(*kind));
  }
  return f;
}

void RecordJson(JsonWriter& json, const IssuedRecord& r) {
  json.BeginObject();
  json.Key("Id");
  json.Integer(r.id);
  json.Key("IssuedAt");
  json.String(r.issuedAt.toString("yyyy-MM-dd HH:mm:ss").toStdString());
  json.Key("SlipDate");
  json.String(r.slipDate.toString("yyyy-MM-dd").toStdString());
  json.Key("Kind");
  json.String(KindOf(r.kind).cliName);
  const std::pair<const char*, const std::string*> texts[] = {
      {"SlipNo", &r.slipNo}, {"Customer", &r.customer}, {"CustomerCode", &r.customerCode}};
  for (const auto& [key, value] : texts) {
    json.Key(key);
    json.String(*value);
  }
  json.Key("Total");
  json.String(r.total.ToDecimalText());
  json.Key("Tax");
  json.String(r.tax.ToDecimalText());
  json.Key("RegistNo");
  json.String(r.registNo);
  json.Key("Via");
  json.String(archive::ViaName(r.via));
  json.Key("Target");
  json.String(r.target);
  json.Key("Source");
  json.String(r.source);
  json.Key("File");
  json.String(r.file);
  json.Key("Sha256");
  json.String(r.sha256);
  json.Key("Corrects");
  if (r.corrects) json.Integer(*r.corrects);
  else json.Null();
  json.EndObject();
}

}  // namespace

void IssuedCommand(const Invocation& in) {
  const auto& operands = in.args.operands;
  const std::string& what = operands.at(0);
  const std::size_t want = what == "export" ? 2 : 1;
  if (what != "ls" && what != "export" && what != "verify") throw Error(msg::BadIssuedCommand(what));
  if (operands.size() < want) throw Error(msg::MissingArgument(kIssuedSynopsis));
  if (operands.size() > want) throw Error(msg::ExtraArgument(operands[want], kIssuedSynopsis));
  archive::IssueArchive archive(in.data);
  JsonWriter json;
  if (what == "verify") {
    const archive::VerifyResult result = archive.Verify();
    json.BeginObject();
    json.Key("Records");
    json.Integer(result.records);
    json.Key("Bad");
    json.BeginArray();
    for (const archive::VerifyProblem& p : result.bad) {
      json.BeginObject();
      json.Key("Id");
      json.Integer(p.id);
      json.Key("Reason");
      json.String(p.reason);
      json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    WriteOutput(in.out, json.Take());
    if (!result.bad.empty()) throw Error(msg::ArchiveNotIntact(result.bad.size()));
    return;
  }
  const std::vector<IssuedRecord> records = archive.Find(FilterOf(in));
  if (what == "export") {
    WriteFileAtomically(operands.at(1), archive::IssuedCsv(records));
    return;
  }
  json.BeginArray();
  for (const IssuedRecord& r : records) RecordJson(json, r);
  json.EndArray();
  WriteOutput(in.out, json.Take());
}

}  // namespace qm::cli
