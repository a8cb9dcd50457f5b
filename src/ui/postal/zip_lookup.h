#pragma once
// The two postal lookups of a form that holds a postal-code field and a first address
// line: the main window's customer block and the customer master's add and edit dialogs.
#include "postal/zip_table.h"

class QLineEdit;
class QWidget;

namespace qm::ui {

class TFormZipSearch;

// By postal code: the code field's text (3 bytes at the least) as a prefix of the codes.
// By address: the address field's text anywhere in the lines. A chosen hit replaces the
// postal code and the whole first address line; closing the list changes nothing. No
// hit, or no key, says `notFound`. A table that cannot be read throws qm::Error.
void LookupByZipCode(QWidget* parent, postal::ZipTableCache& tables, TFormZipSearch& dialog, QLineEdit* zip,
                     QLineEdit* address);
void LookupByAddress(QWidget* parent, postal::ZipTableCache& tables, TFormZipSearch& dialog, QLineEdit* zip,
                     QLineEdit* address, const char* notFound = postal::kUnknownAddress);

}  // namespace qm::ui
