#pragma once
// Seeded documents, profiles, masters and print options with texts of random lengths, for
// checks that must hold whatever the user typed.
#include <random>
#include <string>

#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "model/master_lists.h"
#include "print/print_options.h"
#include "print/slip_options.h"

namespace qmtest {

class RandomTexts {
 public:
  explicit RandomTexts(unsigned seed) : random_(seed) {}

  // Up to `maxChars` characters of full-width, half-width and half-width katakana text.
  std::string Text(int maxChars);
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  // A whole number of up to `digits` digits.
  long long Amount(int digits);
  bool Flip() { return Pick(0, 1) == 1; }

 private:
  std::mt19937 random_;
};

// Up to 70 lines and every customer, profile and bank field filled at random lengths.
void FillDocument(RandomTexts& r, qm::TMxEstimateObjectList& doc, qm::TMxCampanyInfoManager& companies);
// Twenty items and twenty customers.
void FillMasters(RandomTexts& r, qm::TMxItemObjectList& items, qm::TMxCustomerObjectList& customers);

qm::TPrintMitsuOptions RandomChartOptions(RandomTexts& r);
qm::TPrintReceiptOptions RandomReceiptOptions(RandomTexts& r);
qm::TPrintTotalClaimOptions RandomTotalClaimOptions(RandomTexts& r);
qm::TPrintFaxOptions RandomFaxOptions(RandomTexts& r);

}  // namespace qmtest
