#include "cli/settings_commands.h"

#include "base/colour_text.h"
#include "cli/front/json_writer.h"
#include "cli/front/output.h"
#include "cli/quiet_stderr.h"
#include "model/company_info.h"
#include "model/config_info.h"

namespace qm::cli {
namespace {

// null for an empty image, otherwise its pixel size.
void WriteImage(JsonWriter& json, const TMxPicture& image) {
  if (image.Empty()) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("width");
  json.Integer(image.Width());
  json.Key("height");
  json.Integer(image.Height());
  json.EndObject();
}

void WriteSetting(JsonWriter& json, const TMxConfigInfo& config) {
  json.BeginObject();
  for (const TMxConfigInfo::Entry& e : config.Entries()) {
    json.Key(e.property);
    std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, Currency>) json.String(v.ToDecimalText());
          else if constexpr (std::is_same_v<T, std::string>) json.String(v);
          else if constexpr (std::is_same_v<T, bool>) json.Bool(v);
          else if constexpr (std::is_same_v<T, std::int32_t>) json.Integer(v);
          else json.String(ColorToText(v));
        },
        e.value);
  }
  json.Key("ImgStamp");
  json.BeginArray();
  for (int i = 0; i < config.ImgMaxRegistCount(); ++i) WriteImage(json, config.ImgStamp(i));
  json.EndArray();
  json.EndObject();
}

void WriteProfile(JsonWriter& json, const TMxCampanyInfo& info) {
  json.BeginObject();
  for (const TMxCampanyInfo::Entry& e : info.Entries()) {
    json.Key(e.property);
    std::visit(
        [&](const auto& v) {
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_same_v<T, std::string>) json.String(v);
          else if constexpr (std::is_same_v<T, bool>) json.Bool(v);
          else json.Number(v);
        },
        e.value);
  }
  json.Key("PayBankAccount");
  json.BeginArray();
  for (int a = 0; a < info.PayBankAccountMaxRegistCount(); ++a) {
    const TMxPayBankAccount& account = info.PayBankAccount(a);
    json.BeginObject();
    json.Key("BankName");
    json.String(account.BankName());
    json.Key("BankNo");
    json.String(account.BankNo());
    json.Key("BankOwnerName");
    json.String(account.BankOwnerName());
    json.EndObject();
  }
  json.EndArray();
  json.Key("LogoImage");
  WriteImage(json, info.LogoImage());
  json.Key("CampanyStampImage");
  WriteImage(json, info.CampanyStampImage());
  json.EndObject();
}

}  // namespace

void LoadSettings(AppSession& session) {
  const QuietStderr quiet;  // image decoders chatter about broken files
  session.LoadConfig();
  session.LoadCompanies();
}

void ConfigCommand(const Invocation& in) {
  AppSession session(in.data);
  LoadSettings(session);
  const TMxConfigInfo& config = session.Config();
  const TMxCampanyInfoManager& companies = session.Companies();
  JsonWriter json;
  json.BeginObject();
  json.Key("Setting");
  WriteSetting(json, config);
  json.Key("Company");
  json.BeginArray();
  for (int i = 0; i < companies.CampanyInfoMaxRegistCount(); ++i) WriteProfile(json, companies.CampanyInfoArray(i));
  json.EndArray();
  json.EndObject();
  WriteOutput(in.out, json.Take());
}

}  // namespace qm::cli
