#include "cli/line_commands.h"

#include <charconv>

#include "base/atomic_file.h"
#include "base/error.h"
#include "cli/document_commands.h"
#include "cli/front/messages.h"
#include "cli/settings_commands.h"
#include "model/contents_export.h"
#include "session/session.h"

namespace qm::cli {

void ExportLinesCommand(const Invocation& in) {
  AppSession session(in.data);
  LoadSettings(session);
  const TMxEstimateObjectList doc = LoadDocument(in, in.args.operands.at(0));
  WriteFileAtomically(in.args.operands.at(1), ContentsExportCsv(doc, session.Config()));
}

void PictureCommand(const Invocation& in) {
  const TMxEstimateObjectList doc = LoadDocument(in, in.args.operands.at(0));
  const std::string& text = in.args.operands.at(1);
  int line = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), line);
  if (ec != std::errc() || end != text.data() + text.size() || line < 1 || line > doc.Count())
    throw Error(msg::LineOutOfRange(text, doc.Count()));
  const TMxPicture& picture = doc.Items(line - 1).Pic();
  if (picture.Empty()) throw Error(msg::NoPicture(line));
  WriteFileAtomically(in.args.operands.at(2), picture.Bytes());
}

}  // namespace qm::cli
