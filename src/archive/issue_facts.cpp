#include "archive/issue_facts.h"

#include <QFileInfo>

#include "base/amount_text.h"
#include "base/era_date.h"
#include "print/chart_texts.h"
#include "print/qualified_invoice.h"

namespace qm::archive {
namespace {

// What every kind shares: the document's header and the sheet's company profile.
IssueFacts FromDocument(const TMxEstimateObjectList& doc, TChartType kind, const TMxCampanyInfo& company,
                        const std::optional<bool>& registNo) {
  IssueFacts f;
  f.kind = kind;
  f.slipNo = doc.SlipCodeStr();
  f.slipDate = FromSlipDate(doc.SlipDateStrYY(), doc.SlipDateStrMM(), doc.SlipDateStrDD());
  f.customer = doc.CustomerInfo().CustomerName1();
  f.customerCode = doc.CustomerInfo().CustomerCode();
  f.total = doc.TotalPrice();
  f.tax = doc.TotalTax();
  if (PrintsQualified(kind, registNo, company)) f.registNo = company.RegistNo();
  return f;
}

}  // namespace

IssueFacts FactsOf(const PrintJob& job, IssueVia via, const std::string& target, const std::string& source) {
  IssueFacts f;
  std::visit(
      [&](const auto& s) {
        using S = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<S, ChartPageSources>) {
          f = FromDocument(*s.doc, job.Kind(), SelectedCompany(s), s.settings.options.PrintRegistNo);
        } else if constexpr (std::is_same_v<S, ReceiptSources>) {
          f = FromDocument(*s.src.doc, job.Kind(), SelectedCompany(s.src), s.options.PrintRegistNo);
        } else if constexpr (std::is_same_v<S, TotalClaimSources>) {
          f = FromDocument(*s.src.doc, job.Kind(), SelectedCompany(s.src), s.options.PrintRegistNo);
          // The sheet bills the balance carried over with this invoice's total.
          const Currency carried = TryCommaDel(s.options.Result).value_or(Currency());
          if (const auto now = Currency::TryFromScaled(static_cast<long double>(carried.Raw()) +
                                                       static_cast<long double>(f.total.Raw())))
            f.total = *now;
        } else {
          f.kind = job.Kind();
        }
      },
      job.Sources());
  f.via = via;
  f.target = target;
  f.source = source.empty() ? std::string() : QFileInfo(QString::fromStdString(source)).fileName().toStdString();
  return f;
}

bool IsKept(const TMxConfigInfo& config, const PrintJob& job) {
  return config.IssueArchive() && IsArchivedKind(job.Kind());
}

std::optional<IssuedRecord> KeepIssued(IssueArchive& archive, const TMxConfigInfo& config, const PrintJob& job,
                                       IssueVia via, const std::string& target, const std::string& source,
                                       const std::string& pdf) {
  if (!IsKept(config, job)) return std::nullopt;
  return archive.Archive(FactsOf(job, via, target, source), pdf);
}

}  // namespace qm::archive
