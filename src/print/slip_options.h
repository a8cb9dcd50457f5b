#pragma once
// The settings of the receipt, total invoice and FAX cover sheet dialogs: one field per
// print.ini key of their sections, and the inputs of each dialog that print.ini does not
// keep (the command line gives them with --set under the names below).
#include <array>
#include <optional>
#include <string>

#include "base/ini_file.h"

namespace qm {

// 領収書印刷, section RYOSYU.
struct TPrintReceiptOptions {
  std::string Printer;        // PRINTER
  std::string PersonalStamp;  // PERSONAL_STAMP
  std::string CustomerInfo;   // CUSTOMER_INFO
  std::string PaperSize;      // PAPER_SIZE
  bool PrintName = false;              // PRINT_NAME
  bool PrintStampArea = true;          // PRINT_STAMP_AREA
  bool PrintRevenueStampArea = true;   // PRINT_REVENUE_STAMP_AREA
  std::string ProvisoText;             // PROVISO_TEXT: 但し書き
  bool PrintGrandTotal = true;         // PRINT_GRAND_TOTAL
  std::optional<bool> PrintRegistNo;   // PRINT_REGIST_NO, as on the estimate family
  // Not kept: the four breakdown rows, label and amount text (UCHI1 … UCHI4,
  // UCHI_PRICE1 … UCHI_PRICE4).
  std::array<std::string, 4> UchiLabel;
  std::array<std::string, 4> UchiPrice;
  bool B5() const { return PaperSize == "B5"; }
};

// 合計請求書印刷, section GOUKEI_SEIKYU.
struct TPrintTotalClaimOptions {
  std::string Printer;       // PRINTER
  std::string CustomerInfo;  // CUSTOMER_INFO
  std::string PayBank;       // PAY_BANK
  std::string PaperSize;     // PAPER_SIZE
  bool PrintName = false;    // PRINT_NAME
  bool PrintBank = false;    // PRINT_BANK
  std::optional<bool> PrintRegistNo;  // PRINT_REGIST_NO, as on the estimate family
  // Not kept: 前回請求額 and 入金額 as typed (PRE_CLAIM, PRE_PAID), and 差引残高 as
  // CalcResult writes it.
  std::string PreClaim = "0";
  std::string PrePaid = "0";
  std::string Result = "0";
  bool B5() const { return PaperSize == "B5"; }
};

// FAX送信状印刷, section FAX.
struct TPrintFaxOptions {
  std::string Printer;       // PRINTER
  std::string CustomerInfo;  // CUSTOMER_INFO
  std::string PaperSize;     // PAPER_SIZE
  std::string Title;         // TITLE: 要件
  int PaperNum = 2;          // PAPER_NUM: 送付枚数
  bool PrintName = false;    // PRINT_NAME
  bool Option1 = false;      // OPTION1: 至急
  bool Option2 = false;      // OPTION2: ご参考まで
  bool Option3 = false;      // OPTION3: ご確認ください
  bool Option4 = false;      // OPTION4: ご返信ください
  std::string Content;       // CONTENT: 連絡事項, CR LF kept as "#CRLF#"
  bool B5() const { return PaperSize == "B5"; }
};

// 品名リスト印刷 and お客様一覧印刷, sections ITEM_LIST and CUSTOMER_LIST.
struct TPrintListOptions {
  std::string Printer;    // PRINTER
  std::string PaperSize;  // PAPER_SIZE
  bool B5() const { return PaperSize == "B5"; }
};

TPrintReceiptOptions LoadReceiptConfig(const IniFile& ini);
void SaveReceiptConfig(IniFile& ini, const TPrintReceiptOptions& o);
void SetReceiptOption(TPrintReceiptOptions& o, const std::string& key, const std::string& value);

TPrintTotalClaimOptions LoadTotalClaimConfig(const IniFile& ini);
void SaveTotalClaimConfig(IniFile& ini, const TPrintTotalClaimOptions& o);
void SetTotalClaimOption(TPrintTotalClaimOptions& o, const std::string& key, const std::string& value);

TPrintFaxOptions LoadFaxConfig(const IniFile& ini);
void SaveFaxConfig(IniFile& ini, const TPrintFaxOptions& o);
void SetFaxOption(TPrintFaxOptions& o, const std::string& key, const std::string& value);

// `customers` false: the item list's section, true: the customer list's.
TPrintListOptions LoadListConfig(const IniFile& ini, bool customers);
void SaveListConfig(IniFile& ini, bool customers, const TPrintListOptions& o);
void SetListOption(TPrintListOptions& o, const std::string& key, const std::string& value);

// An amount typed into the receipt: without ",", "(" and ")", read as a number and
// written "#,##0.##"; text that is no number becomes empty.
std::string SetComma(const std::string& text);

// The total invoice's amounts: 前回請求額 and 入金額 without their commas, read as numbers
// (anything else counts as 0), written back "#,##0.##", and 差引残高 their difference.
void CalcResult(TPrintTotalClaimOptions& o);

}  // namespace qm
