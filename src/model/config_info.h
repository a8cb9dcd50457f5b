#pragma once
// The operating settings: tax rate, currency mark, print switches, document titles and
// greetings, column headings, seal boxes and stripe colours. Kept in [SETTING] of
// conf.ini; the seal images are pstamp0.bmp … pstamp5.bmp in the image folder.
#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "base/colour_text.h"
#include "base/currency.h"
#include "base/property.h"
#include "model/picture.h"

namespace qm {

class TMxConfigInfo {
 public:
  static constexpr int kImgMaxRegistCount = 6;

  // `imgDir` gets a trailing separator. Fields stay empty until LoadConfig.
  explicit TMxConfigInfo(const std::string& imgDir);

  // Every key of [SETTING] with its default, then the six seal images.
  // Throws qm::Error when an existing image file cannot be read.
  void LoadConfig(const std::string& fileName);
  // Every key except FAX_TITLE, the rest of the file untouched; then writes the seal
  // images that are set and deletes the files of those that are not.
  void SaveConfig(const std::string& fileName) const;

  // Every key of [SETTING] in file order with its property name and current value.
  using Value = std::variant<Currency, std::string, bool, std::int32_t, TColor>;
  struct Entry {
    const char* key;
    const char* property;
    Value value;
  };
  std::vector<Entry> Entries() const;

  int ImgMaxRegistCount() const { return kImgMaxRegistCount; }
  TMxPicture& ImgStamp(int index);
  const TMxPicture& ImgStamp(int index) const;
  TMxPicture& GetImgStamp(int index) { return ImgStamp(index); }
  const std::string& ImgPath() const { return FImgPath; }
  // pstamp<index>.bmp in the image folder.
  std::string StampFileName(int index) const;

  QM_PROPERTY(Currency, TaxRate);
  QM_PROPERTY(std::string, CurrencyMark);
  QM_PROPERTY(bool, PrintCheckCusCode);
  QM_PROPERTY(bool, TaxLessNotPrintSubTotal);
  QM_PROPERTY(bool, ConfirmExit);
  QM_PROPERTY(bool, ConfirmOpenOrMake);
  QM_PROPERTY(std::int32_t, SenderFontSize);
  QM_PROPERTY(bool, PrintDecimalPoint);
  QM_PROPERTY(bool, PrintBunrui);
  QM_PROPERTY(std::string, PrintMsgEstimateTitle);
  QM_PROPERTY(std::string, PrintMsgEstimateMessage);
  QM_PROPERTY(std::string, PrintMsgUnitPriceEstimateTitle);
  QM_PROPERTY(std::string, PrintMsgUnitPriceEstimateMessage);
  QM_PROPERTY(std::string, PrintMsgDeliverTitle);
  QM_PROPERTY(std::string, PrintMsgDeliverMessage);
  QM_PROPERTY(std::string, PrintMsgClaimTitle);
  QM_PROPERTY(std::string, PrintMsgClaimMessage);
  QM_PROPERTY(std::string, PrintMsgClaimDetailsTitle);
  QM_PROPERTY(std::string, PrintMsgClaimDetailsMessage);
  QM_PROPERTY(std::string, PrintMsgTotalClaimTitle);
  QM_PROPERTY(std::string, PrintMsgTotalClaimMessage);
  QM_PROPERTY(std::string, PrintMsgReceiveTitle);
  QM_PROPERTY(std::string, PrintMsgReceiveMessage);
  QM_PROPERTY(std::string, PrintMsgReceiptTitle);
  QM_PROPERTY(std::string, PrintMsgReceiptMessage);
  QM_PROPERTY(std::string, PrintMsgFaxSenderTitle);
  QM_PROPERTY(std::string, PrintMsgKoujiUtiwakeTitle);
  QM_PROPERTY(std::string, PrintMsgKoujiUtiwakeMessage);
  QM_PROPERTY(std::string, PrintHeadKoujiName);
  QM_PROPERTY(std::string, PrintHeadPlace);
  QM_PROPERTY(std::string, PrintHeadCondition);
  QM_PROPERTY(std::string, PrintHeadLimit);
  QM_PROPERTY(std::string, PrintHeadItemName);
  QM_PROPERTY(std::string, PrintHeadNum);
  QM_PROPERTY(std::string, PrintHeadItemUnit);
  QM_PROPERTY(std::string, PrintHeadUnitPrice);
  QM_PROPERTY(std::string, PrintHeadPrice);
  QM_PROPERTY(std::string, PrintHeadNote);
  QM_PROPERTY(TColor, LineColorOdd);
  QM_PROPERTY(TColor, LineColorEven);
  QM_PROPERTY(std::string, PrintHeadFreeEdit);
  QM_PROPERTY(std::string, PrintHeadCost);
  QM_PROPERTY(std::string, PrintHeadClassNo);
  QM_PROPERTY(std::string, NatsuinName1);
  QM_PROPERTY(std::string, NatsuinName2);
  QM_PROPERTY(std::string, NatsuinName3);
  QM_PROPERTY(std::string, NatsuinName4);
  QM_PROPERTY(std::string, NatsuinName5);
  QM_PROPERTY(std::string, NatsuinName6);
  // PDF files carry subsets of the page font (and compressed, JPEG-kept pictures); off,
  // they name their fonts for the reader as the first versions did.
  QM_PROPERTY(bool, PdfEmbedFonts);
  // Every document issued (printed, written as PDF) is kept in the issued-documents
  // archive.
  QM_PROPERTY(bool, IssueArchive);

 private:
  struct Key;
  static const std::array<Key, 51>& Keys();

  std::array<TMxPicture, kImgMaxRegistCount> FImgStamp;
  std::string FImgPath;
};

}  // namespace qm
