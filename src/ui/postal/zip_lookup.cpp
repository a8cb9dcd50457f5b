#include "ui/postal/zip_lookup.h"

#include <QLineEdit>

#include "ui/common/message_box.h"
#include "ui/postal/zip_search_dialog.h"

namespace qm::ui {
namespace {

void Show(QWidget* parent, TFormZipSearch& dialog, const QString& key, std::shared_ptr<const postal::ZipTable> table,
          std::vector<std::size_t> hits, const char* notFound, QLineEdit* zip, QLineEdit* address) {
  if (hits.empty()) {
    ShowMessage(parent, QString::fromUtf8(notFound));
    return;
  }
  const std::optional<postal::ZipHit> chosen = dialog.Choose(key, std::move(table), std::move(hits));
  if (!chosen) return;
  zip->setText(QString::fromStdString(chosen->zipCode));
  address->setText(QString::fromStdString(chosen->address));
}

}  // namespace

void LookupByZipCode(QWidget* parent, postal::ZipTableCache& tables, TFormZipSearch& dialog, QLineEdit* zip,
                     QLineEdit* address) {
  const QString typed = zip->text();
  // A code that is no key is refused before the table is read.
  if (!postal::ZipKey(typed.toStdString())) {
    ShowMessage(parent, QString::fromUtf8(postal::kUnknownZip));
    return;
  }
  const std::shared_ptr<const postal::ZipTable> table = tables.Get();
  Show(parent, dialog, typed, table, postal::FindByZip(*table, typed.toStdString()), postal::kUnknownZip, zip,
       address);
}

void LookupByAddress(QWidget* parent, postal::ZipTableCache& tables, TFormZipSearch& dialog, QLineEdit* zip,
                     QLineEdit* address, const char* notFound) {
  const QString typed = address->text();
  if (typed.isEmpty()) {
    ShowMessage(parent, QString::fromUtf8(postal::kUnknownAddress));
    return;
  }
  const std::shared_ptr<const postal::ZipTable> table = tables.Get();
  Show(parent, dialog, typed, table, postal::FindByAddress(*table, typed.toStdString()), notFound, zip, address);
}

}  // namespace qm::ui
