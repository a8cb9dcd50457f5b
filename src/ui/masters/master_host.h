#pragma once
// What the master dialogs ask of the program around them: the customer block of the
// document, the postal lookups, and printing a list.
#include <array>

#include "model/master_sort.h"

class QLineEdit;

namespace qm::ui {

class MasterHost {
 public:
  virtual ~MasterHost() = default;
  // The main window's customer fields in the customer list's column order (code, names
  // 1–3, postal code, addresses 1–2, TEL, FAX).
  virtual std::array<QLineEdit*, kCustomerColumns> CustomerBlock() = 0;
  // The postal lookups of a form's postal-code field and first address line.
  virtual void LookupZip(QLineEdit* zip, QLineEdit* address) = 0;
  virtual void LookupAddress(QLineEdit* zip, QLineEdit* address, const char* notFound) = 0;
  // The list's print dialog, then printing or writing the PDF it chose.
  virtual void PrintList(bool customers) = 0;
};

}  // namespace qm::ui
