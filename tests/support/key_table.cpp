#include "support/key_table.h"

#include <set>

#include "base/atomic_file.h"

namespace qmtest {

std::string Fixture(const std::string& name) { return qm::ReadWholeFile(std::string(QM_TEST_DATA_DIR) + "/" + name); }

std::map<std::string, std::string> SectionValues(const qm::IniFile& ini, const std::string& section) {
  std::map<std::string, std::string> values;
  for (const std::string& key : ini.Keys(section)) values[key] = ini.ReadString(section, key, "");
  return values;
}

std::vector<std::string> ChangedKeys(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after) {
  std::set<std::string> keys;
  for (const auto& [k, v] : before) keys.insert(k);
  for (const auto& [k, v] : after) keys.insert(k);
  std::vector<std::string> changed;
  for (const std::string& k : keys) {
    const auto b = before.find(k), a = after.find(k);
    if (b == before.end() || a == after.end() || b->second != a->second) changed.push_back(k);
  }
  return changed;
}

}  // namespace qmtest
