#include "session/session.h"

#include <QFile>

#include <exception>

namespace qm {

AppSession::AppSession(DataFolder folder, std::string historyFileName)
    : folder_(std::move(folder)),
      histories_(std::move(historyFileName)),
      config_(folder_.ImgDir()),
      companies_(folder_.ImgDir()),
      zipTables_(folder_.ZipFile()),
      archive_(folder_) {}

void AppSession::Start(const std::function<void(const std::string&)>& failed) {
  const auto step = [&](auto&& run) {
    try {
      run();
    } catch (const std::exception& e) {
      failed(e.what());
    }
  };
  step([&] { folder_.Ensure(); });
  // What a write killed half-way left behind.
  folder_.RemoveStaleTemporaries();
  step([&] { LoadCustomers(); });
  step([&] { LoadItems(); });
  step([&] { LoadUnits(); });
  step([&] { LoadConfig(); });
  step([&] { LoadCompanies(); });
}

void AppSession::LoadCustomers() {
  customers_.LoadConfig(folder_.CustomerFile());
  peppolIds_.Load(folder_.PeppolFile());
}
void AppSession::LoadItems() { items_.LoadConfig(folder_.ItemFile()); }
void AppSession::LoadUnits() { units_.LoadConfig(folder_.ItemUnitFile()); }

void AppSession::LoadConfig() {
  // The rate is read before the seal images, so it reaches the document even when an
  // image is damaged.
  try {
    config_.LoadConfig(folder_.ConfIni());
  } catch (...) {
    document_.SetTaxRate(config_.TaxRate());
    throw;
  }
  document_.SetTaxRate(config_.TaxRate());
}

void AppSession::LoadCompanies() { companies_.LoadConfig(folder_.ConfIni()); }

void AppSession::SaveCustomers() const {
  customers_.SaveConfig(folder_.CustomerFile());
  // No file for a program that never stored a Peppol ID.
  if (!peppolIds_.Empty() || QFile::exists(QString::fromStdString(folder_.PeppolFile())))
    peppolIds_.Save(folder_.PeppolFile());
}
void AppSession::SaveItems() const { items_.SaveConfig(folder_.ItemFile()); }
void AppSession::SaveUnits() const { units_.SaveConfig(folder_.ItemUnitFile()); }
void AppSession::SaveConfig() const { config_.SaveConfig(folder_.ConfIni()); }
void AppSession::SaveCompanies() const { companies_.SaveConfig(folder_.ConfIni()); }

}  // namespace qm
