#pragma once
// Input histories: the texts typed into a history box, most recent first, kept per
// key in an INI file (one section per key, values named "0", "1", …).
#include <optional>
#include <string>
#include <vector>

namespace qm {

// Where histories live. A key that was never written does not exist.
class HistoryStore {
 public:
  virtual ~HistoryStore() = default;
  // The values of a key in name order "0", "1", … up to `maxIndex` inclusive, skipping
  // missing names; nullopt when the key does not exist.
  virtual std::optional<std::vector<std::string>> Read(const std::string& key, int maxIndex) const = 0;
  // Deletes the key with its values and writes it again with `values`.
  virtual void Replace(const std::string& key, const std::vector<std::string>& values) = 0;
};

// The store as an INI file; every change replaces the file atomically.
class IniHistoryStore final : public HistoryStore {
 public:
  explicit IniHistoryStore(std::string fileName) : fileName_(std::move(fileName)) {}
  std::optional<std::vector<std::string>> Read(const std::string& key, int maxIndex) const override;
  void Replace(const std::string& key, const std::vector<std::string>& values) override;
  const std::string& FileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// "history.ini" in the configuration folder.
std::string DefaultHistoryFileName();

// The list behind a history box.
class THistoryList {
 public:
  explicit THistoryList(HistoryStore& store) : store_(&store) {}

  int HistoryCount() const { return FHistoryCount; }
  void SetHistoryCount(int v) { FHistoryCount = v; }
  const std::string& RegistryKey() const { return FRegKey; }
  // A trailing "\" is added when missing.
  void SetRegistryKey(std::string key);
  const std::string& SubKey() const { return FSubKey; }
  void SetSubKey(std::string key) { FSubKey = std::move(key); }
  // Used as the sub key when SubKey is empty (the control's own name).
  void SetOwnerName(std::string name) { ownerName_ = std::move(name); }
  // RegistryKey + SubKey (or the owner's name).
  std::string FullKey() const;

  const std::vector<std::string>& Items() const { return items_; }
  void SetItems(std::vector<std::string> items) { items_ = std::move(items); }

  // Replaces the list with the stored one; a missing key leaves the list as it is.
  void LoadHistory();
  // Puts `text` first (removing equal entries), keeps at most HistoryCount, saves.
  // Returns false and does nothing when the text is blank.
  bool AddHistory(const std::string& text);
  void ClearHistory();
  void SaveHistory();

 private:
  HistoryStore* store_;
  int FHistoryCount = 10;
  std::string FRegKey;
  std::string FSubKey;
  std::string ownerName_;
  std::vector<std::string> items_;
};

}  // namespace qm
