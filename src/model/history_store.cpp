#include "model/history_store.h"

#include <QFileInfo>
#include <algorithm>

#include "base/data_folders.h"
#include "base/ini_file.h"

namespace qm {
namespace {

// INI values lose their surrounding blanks; a value that has any, or that starts and
// ends with a quote, is written in quotes so that it reads back exactly.
std::string Quote(const std::string& v) {
  const bool blankEdge = !v.empty() && (v.front() == ' ' || v.back() == ' ' || v.front() == '\t' || v.back() == '\t');
  const bool quoted = v.size() >= 2 && v.front() == '"' && v.back() == '"';
  return (blankEdge || quoted) ? "\"" + v + "\"" : v;
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
  return v;
}

bool IsBlank(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

}  // namespace

std::optional<std::vector<std::string>> IniHistoryStore::Read(const std::string& key, int maxIndex) const {
  const IniFile ini = IniFile::Load(fileName_);
  if (!ini.HasSection(key)) return std::nullopt;
  std::vector<std::string> values;
  for (int n = 0; n <= maxIndex; ++n)
    if (auto v = ini.Find(key, std::to_string(n))) values.push_back(Unquote(*v));
  return values;
}

void IniHistoryStore::Replace(const std::string& key, const std::vector<std::string>& values) {
  EnsureFolder(QFileInfo(QString::fromStdString(fileName_)).absolutePath().toStdString());
  IniFile ini = IniFile::Load(fileName_);
  ini.EraseSection(key);
  ini.EnsureSection(key);
  for (std::size_t i = 0; i < values.size(); ++i) ini.WriteString(key, std::to_string(i), Quote(values[i]));
  ini.Save(fileName_);
}

std::string DefaultHistoryFileName() { return JoinPath(DefaultConfigDir(), "history.ini"); }

void THistoryList::SetRegistryKey(std::string key) {
  if (!key.empty() && key.back() != '\\') key += '\\';
  FRegKey = std::move(key);
}

std::string THistoryList::FullKey() const { return FRegKey + (FSubKey.empty() ? ownerName_ : FSubKey); }

void THistoryList::LoadHistory() {
  if (FRegKey.empty()) return;
  if (auto values = store_->Read(FullKey(), FHistoryCount)) items_ = std::move(*values);
}

bool THistoryList::AddHistory(const std::string& text) {
  if (IsBlank(text)) return false;
  std::erase(items_, text);
  items_.insert(items_.begin(), text);
  if (FHistoryCount >= 0 && items_.size() > static_cast<std::size_t>(FHistoryCount))
    items_.resize(static_cast<std::size_t>(FHistoryCount));
  SaveHistory();
  return true;
}

void THistoryList::ClearHistory() {
  items_.clear();
  SaveHistory();
}

void THistoryList::SaveHistory() {
  if (FRegKey.empty()) return;
  store_->Replace(FullKey(), items_);
}

}  // namespace qm
