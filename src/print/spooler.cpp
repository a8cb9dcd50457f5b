#include "print/spooler.h"

#include <cups/cups.h>

#include <QPrinter>
#include <QPrinterInfo>

#include "base/error.h"
#include "print/printer_output.h"

namespace qm {

std::vector<std::string> SpoolerPrinters() {
  std::vector<std::string> names;
  for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
  return names;
}

std::string DefaultSpoolerPrinter() { return QPrinterInfo::defaultPrinterName().toStdString(); }

void CheckPrinterTakesJobs(const std::string& name) {
  // What the spooler says of the queue: whether it takes jobs, and the reason it gives.
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                   name.c_str());
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  static const char* const kWanted[] = {"printer-is-accepting-jobs", "printer-state-message"};
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, kWanted);
  ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    ippDelete(response);
    throw Error("プリンタ「" + name + "」はありません。（" + cupsLastErrorString() + "）");
  }
  ipp_attribute_t* accepting = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  ipp_attribute_t* reason = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
  const bool takesJobs = !accepting || ippGetBoolean(accepting, 0);
  const char* said = reason ? ippGetString(reason, 0, nullptr) : nullptr;
  std::string message = said ? said : "";
  ippDelete(response);
  if (!takesJobs) {
    if (message.empty()) message = "ジョブを受け付けていません";
    throw Error("プリンタ「" + name + "」は印刷を受け付けません: " + message);
  }
}

std::string PrintOnSpoolerPrinter(const PrintJob& job, const std::string& given) {
  const std::string name = given.empty() ? DefaultSpoolerPrinter() : given;
  if (name.empty()) throw Error("既定のプリンタがありません。--printer でプリンタを指定してください。");
  CheckPrinterTakesJobs(name);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPrinterName(QString::fromStdString(name));
  if (!printer.isValid()) throw Error("プリンタ「" + name + "」を使えません。");
  PrintJobOn(printer, job);
  return name;
}

}  // namespace qm
