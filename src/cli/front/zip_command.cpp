#include "cli/front/zip_command.h"

#include "base/error.h"
#include "cli/front/json_writer.h"
#include "cli/front/messages.h"
#include "cli/front/output.h"
#include "postal/zip_table.h"

namespace qm::cli {

void ZipCommand(const Invocation& in) {
  const auto address = in.args.Value("--address");
  if (address ? !in.args.operands.empty() : in.args.operands.size() != 1) throw Error(msg::ZipUsage());
  std::string code;
  if (!address) {
    code = in.args.operands.front();
    if (!postal::ZipKey(code)) throw Error(postal::kUnknownZip);
  }
  // Read only when the key is good: a refused code never touches the file.
  // Mapped: this process only reads and ends.
  const postal::ZipTable table = postal::ZipTable::Map(in.data.ZipFile());
  const std::vector<std::size_t> hits =
      address ? postal::FindByAddress(table, *address) : postal::FindByZip(table, code);
  JsonWriter w;
  w.BeginArray();
  for (const std::size_t line : hits) {
    const postal::ZipHit hit = table.Hit(line);
    w.BeginObject();
    w.Key("ZipCode");
    w.String(hit.zipCode);
    w.Key("Address");
    w.String(hit.address);
    w.EndObject();
  }
  w.EndArray();
  WriteOutput(in.out, w.Take());
}

}  // namespace qm::cli
