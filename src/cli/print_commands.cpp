#include "cli/print_commands.h"

#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>

#include "print/spooler.h"
#include <QImage>

#include <charconv>

#include "base/atomic_file.h"
#include "base/data_folders.h"
#include "base/error.h"
#include "cli/front/json_writer.h"
#include "cli/front/messages.h"
#include "cli/front/output.h"
#include "cli/settings_commands.h"
#include "base/era_date.h"
#include "model/line_editing.h"
#include "session/session.h"
#include "archive/issue_facts.h"
#include "einvoice/jp_pint.h"
#include "model/peppol_ids.h"
#include "pdf/slip_pdf.h"
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

// A kind by name or number.
TChartType ParseKind(const std::string& text) {
  const std::optional<TChartType> kind = FindKind(text);
  if (!kind) throw Error(msg::UnknownKind(text));
  return *kind;
}

bool IsList(TChartType kind) { return KindOf(kind).family == KindFamily::List; }

// The operands after KIND: a document file unless the kind is a master list, then the
// PDF file for qm pdf.
void CheckOperands(const Invocation& in, TChartType kind, bool pdfOut, const char* synopsis) {
  const std::size_t want = 1 + (IsList(kind) ? 0 : 1) + (pdfOut ? 1 : 0);
  const auto& operands = in.args.operands;
  if (operands.size() < want) throw Error(msg::MissingArgument(synopsis));
  if (operands.size() > want) throw Error(msg::ExtraArgument(operands[want], synopsis));
}

// The --set options as key and value.
std::vector<std::pair<std::string, std::string>> Sets(const Invocation& in) {
  std::vector<std::pair<std::string, std::string>> sets;
  for (const std::string& set : in.args.Values("--set")) {
    const std::size_t eq = set.find('=');
    if (eq == std::string::npos || eq == 0) throw Error(msg::BadSet(set));
    sets.emplace_back(set.substr(0, eq), set.substr(eq + 1));
  }
  return sets;
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

  CliJob(const Invocation& in, bool pdfOut, const char* synopsis) : session(in.data), job(Build(in, session, pdfOut, synopsis)) {}

  static PrintJob Build(const Invocation& in, AppSession& session, bool pdfOut, const char* synopsis) {
    const TChartType kind = ParseKind(in.args.operands.at(0));
    CheckOperands(in, kind, pdfOut, synopsis);
    if (IsList(kind)) return ListJob(in, session, kind);
    TMxEstimateObjectList doc = LoadDocument(in, in.args.operands.at(1));
    const IniFile ini = IniFile::Load(in.data.PrintIni());
    const auto sets = Sets(in);
    const bool taxGiven = in.args.Has("--tax");
    const TTaxChoice tax = taxGiven ? ParseTax(*in.args.Value("--tax")) : TTaxChoice::NoTax;
    if (taxGiven && !IsEstimateFamily(kind)) throw Error(msg::TaxNotForKind(in.args.operands.at(0)));
    const int dpi = Dpi(in);
    LoadSettings(session);
    // After the settings: the document keeps the rate it was loaded with (--rate).
    session.Document() = std::move(doc);
    const TMxEstimateObjectList& d = session.Document();
    const TMxConfigInfo& config = session.Config();
    const TMxCampanyInfoManager& companies = session.Companies();
    const auto sheet = [&](const std::string& customerInfo, const std::string& payBank, const std::string& stamp) {
      SlipSources src = ResolveSlipSources(d, config, companies, customerInfo, payBank, stamp);
      src.printerDpiX = src.printerDpiY = dpi;
      return src;
    };
    switch (kind) {
      case TChartType::tcRyosyu: {
        TPrintReceiptOptions o = LoadReceiptConfig(ini);
        DefaultBreakdown(o, d, config);  // as the dialog opens
        for (const auto& [key, value] : sets) SetReceiptOption(o, key, value);
        for (std::string& amount : o.UchiPrice) amount = amount.empty() ? amount : SetComma(amount);
        return PrintJob::Receipt(sheet(o.CustomerInfo, {}, o.PersonalStamp), o);
      }
      case TChartType::tcGoukeiSeikyu: {
        if (!d.TotalClaimMode()) throw Error(msg::NotTotalClaim());
        TPrintTotalClaimOptions o = LoadTotalClaimConfig(ini);
        for (const auto& [key, value] : sets) SetTotalClaimOption(o, key, value);
        CalcResult(o);
        return PrintJob::TotalClaim(sheet(o.CustomerInfo, o.PayBank, {}), o);
      }
      case TChartType::tcFaxSender: {
        TPrintFaxOptions o = LoadFaxConfig(ini);
        for (const auto& [key, value] : sets) SetFaxOption(o, key, value);
        return PrintJob::FaxSender(sheet(o.CustomerInfo, {}, {}), o);
      }
      default: break;
    }
    TPrintMitsuOptions options = LoadPrintConfig(ini, kind);
    for (const auto& [key, value] : sets) SetPrintOption(options, key, value);
    ChartPageSources src;
    src.doc = &d;
    src.config = &config;
    src.companies = &companies;
    src.settings = ResolveChartSettings(options, config, d);
    if (taxGiven) src.settings.tax = tax;
    src.printerDpiX = src.printerDpiY = dpi;
    return PrintJob::Chart(src, kind);
  }

  // A master list: the list of the data folder, dated as a new document is, today.
  static PrintJob ListJob(const Invocation& in, AppSession& session, TChartType kind) {
    if (in.args.Has("--tax")) throw Error(msg::TaxNotForKind(in.args.operands.at(0)));
    const bool customers = kind == TChartType::tcCustomerList;
    TPrintListOptions o = LoadListConfig(IniFile::Load(in.data.PrintIni()), customers);
    for (const auto& [key, value] : Sets(in)) SetListOption(o, key, value);
    const int dpi = Dpi(in);
    LoadSettings(session);
    if (customers) session.LoadCustomers();
    else session.LoadItems();
    SetNewHeader(session.Document(), ToEraDate(QDate::currentDate()));
    ListSources src;
    src.doc = &session.Document();
    src.config = &session.Config();
    src.items = &session.Items();
    src.customers = &session.Customers();
    src.printerDpiX = src.printerDpiY = dpi;
    return customers ? PrintJob::CustomerList(src, o) : PrintJob::ItemList(src, o);
  }
};

std::unique_ptr<QGuiApplication>& GuiApplication() {
  static std::unique_ptr<QGuiApplication> app;
  return app;
}

// Text needs fonts, and fonts need a GUI application (offscreen unless told otherwise).
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "qm";
  static char* argv[] = {name, nullptr};
  GuiApplication() = std::make_unique<QGuiApplication>(argc, argv);
}

// Keeps the issued copy of a job of `qm pdf` or `qm print`, when its kind is kept and
// ISSUE_ARCHIVE is on.
void Keep(CliJob& cli, const Invocation& in, const std::string& target, const std::string& pdf) {
  const auto& operands = in.args.operands;
  const std::string source = IsList(cli.job.Kind()) || operands.size() < 2 ? std::string() : operands.at(1);
  archive::KeepIssued(cli.session.Archive(), cli.session.Config(), cli.job, archive::IssueVia::Qm, target, source, pdf);
}

}  // namespace

void ReleaseGuiApplication() { GuiApplication().reset(); }

void PagesCommand(const Invocation& in) {
  const CliJob cli(in, false, kPagesSynopsis);
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
  const CliJob cli(in, false, kRenderSynopsis);
  const auto index = ParseInt(*pageText);
  const int count = cli.job.PageCount();
  if (!index || *index < 1 || *index > count) throw Error(msg::PageOutOfRange(*pageText, count));
  const PageImage page = cli.job.MakePage(*index - 1);
  if (ops) {
    WriteOutput(in.out, page.Describe());
    return;
  }
  EnsureGuiApplication();
  const std::optional<std::string> png = EncodeImage(RenderToImage(page), "PNG");
  if (!png) throw Error(msg::CannotEncodePng());
  WriteFileAtomically(*out, *png);
}

void PrintCommand(const Invocation& in) {
  CliJob cli(in, false, kPrintSynopsis);
  EnsureGuiApplication();
  const std::string printer = PrintOnSpoolerPrinter(cli.job, in.args.Value("--printer").value_or(""));
  JsonWriter json;
  json.BeginObject();
  json.Key("Printer");
  json.String(printer);
  json.Key("Pages");
  json.Integer(cli.job.PageCount());
  json.EndObject();
  WriteOutput(in.out, json.Take());
  // The copy kept of a printed job is its PDF as PDF出力 writes it.
  if (in.args.Has("--no-archive") || !archive::IsKept(cli.session.Config(), cli.job)) return;
  pdf::TFormPDFBase base;
  pdf::PdfWriteSettings settings;
  settings.fonts = pdf::PdfFontsOf(cli.session.Config());
  try {
    Keep(cli, in, printer, pdf::WritePdf(base, cli.job, std::string(), settings));
  } catch (const std::exception& e) {
    throw Error(msg::IssuedNotKept(true, e.what()));
  }
}

// The form --fonts asks for; none when it is not given.
std::optional<pdf::PdfFonts> FontsOption(const Invocation& in) {
  const auto text = in.args.Value("--fonts");
  if (!text) return std::nullopt;
  if (*text == "embed") return pdf::PdfFonts::Embed;
  if (*text == "system") return pdf::PdfFonts::System;
  throw Error(msg::BadFonts(*text));
}

void PdfCommand(const Invocation& in) {
  const std::optional<pdf::PdfFonts> fonts = FontsOption(in);  // a bad value is said before anything is read
  CliJob cli(in, true, kPdfSynopsis);
  EnsureGuiApplication();  // pictures are scaled with a painter
  pdf::TFormPDFBase base;
  pdf::PdfWriteSettings settings;
  settings.fonts = fonts.value_or(pdf::PdfFontsOf(cli.session.Config()));
  const std::string out = in.args.operands.back();
  const std::string pdf = pdf::WritePdf(base, cli.job, out, settings);
  if (in.args.Has("--no-archive")) return;
  try {
    Keep(cli, in, QFileInfo(QString::fromStdString(out)).absoluteFilePath().toStdString(), pdf);
  } catch (const std::exception& e) {
    throw Error(msg::IssuedNotKept(false, e.what()));
  }
}

void EInvoiceCommand(const Invocation& in) {
  // What does not need the document is said first.
  const std::optional<TChartType> kind = FindKind(in.args.operands.at(0));
  if (kind && !einvoice::MakesEInvoice(*kind)) throw Error(einvoice::msg::kWrongKind);
  std::optional<PeppolId> buyer;
  if (const auto given = in.args.Value("--buyer-endpoint")) {
    buyer = ParsePeppolId(*given);
    if (!buyer) throw Error(msg::BadBuyerEndpoint(*given));
  }
  std::optional<einvoice::Period> period;
  if (const auto text = in.args.Value("--period")) {
    period = einvoice::ParsePeriod(*text);
    if (!period) throw Error(msg::BadPeriod(*text));
  }
  CliJob cli(in, true, kEInvoiceSynopsis);
  einvoice::Request request = einvoice::RequestOf(cli.job);
  request.period = period;
  if (buyer) {
    request.buyerEndpoint = buyer;
  } else {
    PeppolIdBook book;
    book.Load(in.data.PeppolFile());
    const TMxCustomerObject& c = cli.session.Document().CustomerInfo();
    request.buyerEndpoint = ParsePeppolId(book.Find(PeppolIdBook::KeyOf(c.CustomerCode(), c.CustomerName1())));
  }
  WriteFileAtomically(in.args.operands.back(), einvoice::WriteJpPint(request));
}

}  // namespace qm::cli
