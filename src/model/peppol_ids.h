#pragma once
// Electronic addresses (Peppol IDs) of the e-invoice: a scheme of four digits and an id,
// written "0188:1234567890123". The company profiles keep their own in conf.ini; the
// customers' are kept in a small file of their own in the data folder (PeppolID.dat),
// one line a customer, keyed by its code or, when it has none, by its company name 1,
// so that Customer.dat stays as it is.
#include <map>
#include <optional>
#include <string>

namespace qm {

struct PeppolId {
  std::string scheme;  // "0188" (corporate number), "0221" (registration number) …
  std::string id;
  std::string Text() const { return scheme + ":" + id; }
  friend bool operator==(const PeppolId&, const PeppolId&) = default;
};

// "0188:1234567890123" as typed: blanks around it dropped, full-width digits, letters and
// colon made half width. nullopt for an empty text; throws qm::Error with the message for
// the user when it is no Peppol ID (the scheme four digits; for 0188 thirteen digits, for
// 0221 "T" and thirteen digits; any other id without blanks).
std::optional<PeppolId> ParsePeppolId(const std::string& typed);

// The stored form of a typed Peppol ID ("" for none); throws as ParsePeppolId.
std::string NormalisePeppolId(const std::string& typed);

class PeppolIdBook {
 public:
  // The key of a customer: its code, else its company name 1.
  static std::string KeyOf(const std::string& customerCode, const std::string& customerName1);

  // Reads the file; a missing file is an empty book. Throws qm::Error naming the file and
  // line of a line that does not read.
  void Load(const std::string& fileName);
  // Writes the book through the one write path, in key order; refused (qm::Error) after a
  // load that stopped at a line, so a damaged file is kept as it is.
  void Save(const std::string& fileName) const;

  // The stored text ("" for none).
  std::string Find(const std::string& key) const;
  // Stores `text` (a Peppol ID in its stored form) under `key`; an empty text removes it.
  void Set(const std::string& key, const std::string& text);
  bool Empty() const { return ids_.empty(); }

 private:
  std::map<std::string, std::string> ids_;
  bool loadedWhole_ = true;
};

}  // namespace qm
