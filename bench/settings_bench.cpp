// Writing and reading conf.ini: the operating settings and the three company profiles,
// as the settings dialogs save them on OK.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "model/company_info.h"
#include "model/config_info.h"

namespace {

struct SettingsFolder {
  QTemporaryDir dir;
  std::string conf = dir.filePath("conf.ini").toStdString();
  std::string img = dir.filePath("img").toStdString();
  SettingsFolder() { QDir(dir.path()).mkdir("img"); }
};

void FillProfiles(qm::TMxCampanyInfoManager& companies) {
  for (int i = 0; i < companies.CampanyInfoMaxRegistCount(); ++i) {
    qm::TMxCampanyInfo& p = companies.CampanyInfoArray(i);
    p.SetCampanyName1("株式会社 山田工務店 第" + std::to_string(i + 1) + "事業部");
    p.SetAddress1("東京都千代田区千代田一丁目一番地");
    p.SetTelFax("TEL 03-1234-5678 / FAX 03-1234-5679");
    p.PayBankAccount(0).SetBankName("みずほ銀行 本店営業部");
    p.PayBankAccount(0).SetBankNo("普通 1234567");
    p.PayBankAccount(1).SetBankOwnerName("カ）ヤマダコウムテン");
  }
}

void BM_SaveConfIni(benchmark::State& state) {
  SettingsFolder f;
  qm::TMxConfigInfo config(f.img);
  config.LoadConfig(f.conf);
  qm::TMxCampanyInfoManager companies(f.img);
  companies.LoadConfig(f.conf);
  FillProfiles(companies);
  for (auto _ : state) {
    config.SaveConfig(f.conf);
    companies.SaveConfig(f.conf);
  }
}
BENCHMARK(BM_SaveConfIni)->Unit(benchmark::kMicrosecond);

void BM_LoadConfIni(benchmark::State& state) {
  SettingsFolder f;
  qm::TMxConfigInfo config(f.img);
  config.LoadConfig(f.conf);
  qm::TMxCampanyInfoManager companies(f.img);
  companies.LoadConfig(f.conf);
  FillProfiles(companies);
  config.SaveConfig(f.conf);
  companies.SaveConfig(f.conf);
  for (auto _ : state) {
    config.LoadConfig(f.conf);
    companies.LoadConfig(f.conf);
  }
}
BENCHMARK(BM_LoadConfIni)->Unit(benchmark::kMicrosecond);

}  // namespace
