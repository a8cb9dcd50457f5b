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
#include "print/chart_page.h"
#include "print/page_renderer.h"

namespace qm::cli {
namespace {

struct KindName {
  const char* name;
  TChartType kind;
};

constexpr KindName kKinds[] = {
    {"tcMitumori", TChartType::tcMitumori},         {"tcTankaMitumori", TChartType::tcTankaMitumori},
    {"tcNouhin", TChartType::tcNouhin},             {"tcSeikyu", TChartType::tcSeikyu},
    {"tcJyuryou", TChartType::tcJyuryou},           {"tcRyosyu", TChartType::tcRyosyu},
    {"tcSeikyuMeisai", TChartType::tcSeikyuMeisai}, {"tcGoukeiSeikyu", TChartType::tcGoukeiSeikyu},
    {"tcFaxSender", TChartType::tcFaxSender},       {"tcItemList", TChartType::tcItemList},
    {"tcCustomerList", TChartType::tcCustomerList}, {"tcKoujiUtiwake", TChartType::tcKoujiUtiwake},
};

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A kind by name or number; only the estimate family has these pages.
TChartType ParseKind(const std::string& text) {
  std::optional<TChartType> kind;
  for (const KindName& k : kKinds)
    if (text == k.name || ParseInt(text) == static_cast<int>(k.kind)) kind = k.kind;
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

// Everything one print job reads, as the print dialog would hand it over.
struct PrintJob {
  TChartType kind;
  TMxEstimateObjectList doc;
  TMxConfigInfo config;
  TMxCampanyInfoManager companies;
  ChartPageSources src;
  int itemPages = 0;
  int picturePages = 0;
  std::vector<JobPage> pages;

  explicit PrintJob(const Invocation& in)
      : kind(ParseKind(in.args.operands.at(0))),
        doc(LoadDocument(in, in.args.operands.at(1))),
        config(ImageFolder(in.dataDir)),
        companies(ImageFolder(in.dataDir)) {
    TPrintMitsuOptions options = LoadPrintConfig(JoinPath(in.dataDir, "print.ini"), kind);
    for (const std::string& set : in.args.Values("--set")) {
      const std::size_t eq = set.find('=');
      if (eq == std::string::npos || eq == 0) throw Error(msg::BadSet(set));
      SetPrintOption(options, set.substr(0, eq), set.substr(eq + 1));
    }
    const TTaxChoice tax = in.args.Has("--tax") ? ParseTax(*in.args.Value("--tax")) : TTaxChoice::NoTax;
    const int dpi = Dpi(in);
    LoadSettings(in.dataDir, config, companies);
    src.doc = &doc;
    src.config = &config;
    src.companies = &companies;
    src.settings = ResolveChartSettings(options, config, doc);
    if (in.args.Has("--tax")) src.settings.tax = tax;
    src.printerDpiX = src.printerDpiY = dpi;
    itemPages = GetNecPage(doc, kind, options.PrintDirection);
    picturePages = options.PrintPic ? GetPicPage(doc) : 0;
    pages = PrintJobPages(itemPages, picturePages, options.PrintCopy);
  }

  static int Dpi(const Invocation& in) {
    const auto text = in.args.Value("--dpi");
    if (!text) return 150;
    const auto dpi = ParseInt(*text);
    if (!dpi || *dpi < 1 || *dpi > 1200) throw Error(msg::BadDpi(*text));
    return *dpi;
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
  const PrintJob job(in);
  JsonWriter json;
  json.BeginObject();
  json.Key("ItemPages");
  json.Integer(job.itemPages);
  json.Key("PicturePages");
  json.Integer(job.picturePages);
  json.Key("Sequence");
  json.BeginArray();
  int number = 0;
  for (const JobPage& p : job.pages) {
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
  const PrintJob job(in);
  const auto index = ParseInt(*pageText);
  const int count = static_cast<int>(job.pages.size());
  if (!index || *index < 1 || *index > count) throw Error(msg::PageOutOfRange(*pageText, count));
  const PageImage page = MakeJobPage(job.src, job.kind, job.pages[static_cast<std::size_t>(*index - 1)], job.itemPages);
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

}  // namespace qm::cli
