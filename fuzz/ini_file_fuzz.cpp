// Fuzz target for the INI reader. Any bytes read; written back untouched they give the
// same bytes; a key written reads back as written and leaves every other key's value as
// it was. Anything else aborts.
#include <string>
#include <string_view>

#include "base/error.h"
#include "base/ini_file.h"
#include "fuzz_target.h"

namespace {

bool g_accepted = false;

[[noreturn]] void Fail(const std::string& what) { FuzzFail("ini_file_fuzz", what); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

bool FuzzLastInputAccepted() { return g_accepted; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  qm::IniFile ini = qm::IniFile::FromBytes(bytes);
  g_accepted = true;
  if (ini.ToBytes() != bytes) Fail("reading and writing back changed the bytes");

  // Remember what the other keys of the file's first section hold, then write a key.
  const std::string section = "SETTING";
  const std::vector<std::string> keys = ini.Keys(section);
  std::vector<std::string> before;
  for (const std::string& k : keys) before.push_back(ini.ReadString(section, k, "\x01missing"));
  try {
    ini.WriteString(section, "TAX", "8");
  } catch (const qm::Error&) {
    return 0;  // a key whose spelling has no CP932 form cannot be rewritten
  }
  const qm::IniFile reread = qm::IniFile::FromBytes(ini.ToBytes());
  if (reread.ReadString(section, "tax", "") != "8") Fail("a written key did not read back");
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (qm::EqualsIgnoreAsciiCase(keys[i], "TAX")) continue;
    if (reread.ReadString(section, keys[i], "\x01missing") != before[i]) Fail("writing a key changed " + keys[i]);
  }
  return 0;
}
