// Writing and reading conf.ini: the operating settings and the three company profiles,
// as the settings dialogs save them on OK.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "model/company_info.h"
#include "model/config_info.h"

namespace {

void FillProfiles(qm::TMxCampanyInfoManager& companies);

// A data folder with settings and three filled profiles loaded, as after start-up.
struct SettingsFolder {
  QTemporaryDir dir;
  std::string conf = dir.filePath("conf.ini").toStdString();
  std::string img = dir.filePath("img").toStdString();
  qm::TMxConfigInfo config{img};
  qm::TMxCampanyInfoManager companies{img};
  SettingsFolder() {
    QDir(dir.path()).mkdir("img");
    config.LoadConfig(conf);
    companies.LoadConfig(conf);
    FillProfiles(companies);
  }
  void Save() const {
    config.SaveConfig(conf);
    companies.SaveConfig(conf);
  }
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
  for (auto _ : state) f.Save();
}
BENCHMARK(BM_SaveConfIni)->Unit(benchmark::kMicrosecond);

void BM_LoadConfIni(benchmark::State& state) {
  SettingsFolder f;
  f.Save();
  for (auto _ : state) {
    f.config.LoadConfig(f.conf);
    f.companies.LoadConfig(f.conf);
  }
}
BENCHMARK(BM_LoadConfIni)->Unit(benchmark::kMicrosecond);

}  // namespace
