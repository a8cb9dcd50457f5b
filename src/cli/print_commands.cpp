#include "cli/print_commands.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <charconv>

#include "base/atomic_file.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "cli/json_writer.h"
#include "cli/messages.h"
#include "cli/output.h"
#include "cli/settings_commands.h"
#include "model/session.h"
#include "pdf/chart_pdf.h"
#include "print/print_job.h"
#include "print/page_renderer.h"

namespace qm::cli {
namespace {

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A kind by name or number; only the estimate family has these pages.
TChartType ParseKind(const std::string& text) {
  const std::optional<TChartType> kind = FindKind(text);
  if (!kind) throw Error(msg::UnknownKind(text));
  if (!IsEstimateFamily(*kind)) throw Error(msg::NotEstimateFamily(text));
  return *kind;
}

TTaxChoice ParseTax(const std::string& text) {
  if (text == "none") return TTaxChoice::NoTax;
  if (text == "exclusive") return TTaxChoice::Exclusive;
  if (text == "inclusive") return TTaxChoice::Included;
  throw Error(msg::BadTaxChoice(text));
}

int Dpi(const Invocation& in) {
  const auto text = in.args.Value("--dpi");
  if (!text) return 150;
  const auto dpi = ParseInt(*text);
  if (!dpi || *dpi < 1 || *dpi > 1200) throw Error(msg::BadDpi(*text));
  return *dpi;
}

// The print job of a document with the print dialog's last settings, as the dialog
// would hand it over. The session owns what the job points to.
struct CliJob {
  AppSession session;
  PrintJob job;

  explicit CliJob(const Invocation& in) : session(in.data), job(Build(in, session)) {}

  static PrintJob Build(const Invocation& in, AppSession& session) {
    const TChartType kind = ParseKind(in.args.operands.at(0));
    TMxEstimateObjectList doc = LoadDocument(in, in.args.operands.at(1));
    TPrintMitsuOptions options = LoadPrintConfig(in.data.PrintIni(), kind);
    for (const std::string& set : in.args.Values("--set")) {
      const std::size_t eq = set.find('=');
      if (eq == std::string::npos || eq == 0) throw Error(msg::BadSet(set));
      SetPrintOption(options, set.substr(0, eq), set.substr(eq + 1));
    }
    const bool taxGiven = in.args.Has("--tax");
    const TTaxChoice tax = taxGiven ? ParseTax(*in.args.Value("--tax")) : TTaxChoice::NoTax;
    const int dpi = Dpi(in);
    LoadSettings(session);
    // After the settings: the document keeps the rate it was loaded with (--rate).
    session.Document() = std::move(doc);
    ChartPageSources src;
    src.doc = &session.Document();
    src.config = &session.Config();
    src.companies = &session.Companies();
    src.settings = ResolveChartSettings(options, session.Config(), session.Document());
    if (taxGiven) src.settings.tax = tax;
    src.printerDpiX = src.printerDpiY = dpi;
    return PrintJob::Chart(src, kind);
  }
};

// Text needs fonts, and fonts need a GUI application (offscreen unless told otherwise).
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "qm";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

}  // namespace

void PagesCommand(const Invocation& in) {
  const CliJob cli(in);
  const PrintJob& job = cli.job;
  JsonWriter json;
  json.BeginObject();
  json.Key("ItemPages");
  json.Integer(job.ItemPages());
  json.Key("PicturePages");
  json.Integer(job.PicturePages());
  json.Key("Sequence");
  json.BeginArray();
  int number = 0;
  for (const JobPage& p : job.Pages()) {
    json.BeginObject();
    json.Key("Job");
    json.Integer(++number);
    json.Key("Copy");
    json.Bool(p.hikae);
    json.Key("PageKind");
    if (p.picture) json.String("picture");
    else json.Integer(p.pageKind);
    json.Key("NowPage");
    json.Integer(p.nowPage);
    json.Key("MaxPage");
    json.Integer(p.maxPage);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  WriteOutput(in.out, json.Take());
}

void RenderCommand(const Invocation& in) {
  const auto pageText = in.args.Value("--page");
  if (!pageText) throw Error(msg::RenderNeedsPage());
  const bool ops = in.args.Has("--ops");
  const auto out = in.args.Value("--out");
  if (ops == out.has_value()) throw Error(msg::RenderNeedsOutOrOps());
  const CliJob cli(in);
  const auto index = ParseInt(*pageText);
  const int count = cli.job.PageCount();
  if (!index || *index < 1 || *index > count) throw Error(msg::PageOutOfRange(*pageText, count));
  const PageImage page = cli.job.MakePage(*index - 1);
  if (ops) {
    WriteOutput(in.out, page.Describe());
    return;
  }
  EnsureGuiApplication();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!RenderToImage(page).save(&buffer, "PNG")) throw Error(msg::CannotEncodePng());
  WriteFileAtomically(*out, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

void PdfCommand(const Invocation& in) {
  const CliJob cli(in);
  EnsureGuiApplication();  // pictures are scaled with a painter
  pdf::PrintPDFChart(cli.job, in.args.operands.at(2));
}

}  // namespace qm::cli
