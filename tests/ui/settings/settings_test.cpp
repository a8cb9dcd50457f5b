// 動作環境設定 and 自社情報の登録 driven through the main window's menu entries, against a
// temporary data folder holding the settings fixtures. Every control is checked against
// the key it must change in conf.ini, from a hand-written list of keys and control names.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "base/atomic_file.h"
#include "base/ini_file.h"
#include "support/key_table.h"
#include "support/pdf_tools.h"
#include "ui/app/main_window.h"
#include "ui/print/print_dialog.h"
#include "ui/settings/conf_dialog.h"
#include "ui/settings/sender_conf_dialog.h"
#include "ui/settings/setting_controls.h"
#include "ui/settings/settings_commands.h"
#include "ui/support/scripted_messages.h"
#include "ui/support/window_tests.h"

namespace qm::ui {
namespace {

template <class W>
W* Child(QWidget& parent, const char* name) {
  W* w = parent.findChild<W*>(name);
  EXPECT_NE(w, nullptr) << name;
  return w;
}

// A 40 x 40 picture: transparent but for an opaque red square in the middle.
QString WriteTransparentPng(const QString& path) {
  QImage image(40, 40, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter(&image).fillRect(10, 10, 20, 20, QColor(255, 0, 0));
  image.save(path, "PNG");
  return path;
}

QString WriteSolidPng(const QString& path, QColor colour) {
  QImage image(30, 30, QImage::Format_RGB32);
  image.fill(colour);
  image.save(path, "PNG");
  return path;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QDir(data_.path()).mkpath("data");
    fixture_ = qmtest::Fixture("settings/conf_setting.ini") + qmtest::Fixture("settings/conf_companies.ini");
    WriteFileAtomically(Conf(), fixture_);
    window_ = qmtest::ShowMainWindow(data_);
    ASSERT_TRUE(window_);
  }
  void TearDown() override {
    EXPECT_TRUE(messages_.unexpected.isEmpty()) << messages_.unexpected.join('\n').toStdString();
    EXPECT_TRUE(messages_.errors.isEmpty()) << messages_.errors.join('\n').toStdString();
  }
  std::string Conf() const { return data_.filePath("data/conf.ini").toStdString(); }
  QString Img(const char* name) const { return data_.filePath(QString("data/img/") + name); }
  std::map<std::string, std::string> Section(const std::string& section) const {
    return qmtest::SectionValues(IniFile::Load(Conf()), section);
  }
  QAction* Menu(const char* id) { return window_->findChild<QAction*>(id); }

  // Opens 動作環境設定, runs `edit` on the dialog; `edit` closes it.
  void Conf(std::function<void(TFormConf&)> edit) {
    qmtest::OnModal<TFormConf>(std::move(edit));
    Menu("Conf")->trigger();
  }
  void SenderConf(std::function<void(TFormSenderConf&)> edit) {
    qmtest::OnModal<TFormSenderConf>(std::move(edit));
    Menu("SenderConf")->trigger();
  }

  qmtest::ScriptedMessages messages_;
  QTemporaryDir data_;
  std::string fixture_;
  std::unique_ptr<TFormMain> window_;
};

// ---------------------------------------------------------------------------------------
// 動作環境の設定

struct ConfCase {
  const char* key;
  std::function<void(TFormConf&)> edit;
};

std::vector<ConfCase> ConfCases(qmtest::ScriptedMessages& messages) {
  std::vector<ConfCase> cases = {
      {"TAX", [](TFormConf& d) { Child<QLineEdit>(d, "EdtTax")->setText("8.75"); }},
      {"MONETARY", [](TFormConf& d) { Child<QComboBox>(d, "CBMonetary")->setCurrentText("￥"); }},
      {"FONTSIZE", [](TFormConf& d) { Child<QSpinBox>(d, "Spin_FontSize")->setValue(11); }},
      {"LINE_COLOR_ODD",
       [&messages](TFormConf& d) {
         messages.Pick(QColor(0, 0, 255));
         Child<QPushButton>(d, "BtnColorOdd")->click();
       }},
      {"LINE_COLOR_EVEN",
       [&messages](TFormConf& d) {
         messages.Pick(QColor(0, 0, 255));
         Child<QPushButton>(d, "BtnColorEven")->click();
       }},
  };
  const std::pair<const char*, const char*> checks[] = {
      {"PRINTCUSCODE", "CBPrintCusCode"}, {"NOTAXNOSUB", "CBNoTaxNoSub"},
      {"EXITALERT", "CBExitAlert"},       {"OPENALERT", "CBOpenAlert"},
      {"PRINTDECIMAL", "CBPrintDecimalPoint"}, {"PRINTBUNRUI", "CBPrintBunrui"},
      {"PDF_EMBED_FONTS", "CBPdfEmbedFonts"}, {"ISSUE_ARCHIVE", "CBIssueArchive"},
  };
  for (const auto& [key, name] : checks)
    cases.push_back({key, [name = name](TFormConf& d) { Child<QCheckBox>(d, name)->toggle(); }});
  const std::pair<const char*, const char*> texts[] = {
      {"EST_TITLE", "EdtEstTitle"},
      {"EST_MSG", "EdtEstMsg"},
      {"UNIT_PRICE_EST_TITLE", "EdtUnitPriceEstTitle"},
      {"UNIT_PRICE_EST_MSG", "EdtUnitPriceEstMsg"},
      {"DELIVER_TITLE", "EdtDeliverTitle"},
      {"DELIVER_MSG", "EdtDeliverMsg"},
      {"CLAIM_TITLE", "EdtClaimTitle"},
      {"CLAIM_MSG", "EdtClaimMsg"},
      {"CLAIM_DETAIL_TITLE", "EdtClaimDetailTitle"},
      {"CLAIM_DETAIL_MSG", "EdtClaimDetailMsg"},
      {"TOTAL_CLAIM_TITLE", "EdtTotalClaimTitle"},
      {"TOTAL_CLAIM_MSG", "EdtTotalClaimMsg"},
      {"RECEIVE_TITLE", "EdtReceiveTitle"},
      {"RECEIVE_MSG", "EdtReceiveMsg"},
      {"RECEIPT_TITLE", "EdtReceiptTitle"},
      {"RECEIPT_MSG", "EdtReceiptMsg"},
      {"KOUJI_UTIWAKE_TITLE", "EdtKoujiUtiwakeTitle"},
      {"KOUJI_UTIWAKE_MSG", "EdtKoujiUtiwakeMsg"},
      {"KOUJI_NAME", "EdtKoujiName"},
      {"PLACE", "EdtPlace"},
      {"CONDITION", "EdtCondition"},
      {"LIMIT", "EdtLimit"},
      {"ITEM_NAME", "EdtItemName"},
      {"ART", "EdtArt"},
      {"UNIT_NAME", "EdtUnitName"},
      {"UNIT_PRICE", "EdtUnitPrice"},
      {"PRICE", "EdtPrice"},
      {"NOTE", "EdtNote"},
      {"FREEEDIT", "EdtFreeEdit"},
      {"COST", "EdtCost"},
      {"NATSUIN_1", "EdtNatsuin1"},
      {"NATSUIN_2", "EdtNatsuin2"},
      {"NATSUIN_3", "EdtNatsuin3"},
      {"NATSUIN_4", "EdtNatsuin4"},
      {"NATSUIN_5", "EdtNatsuin5"},
      {"NATSUIN_6", "EdtNatsuin6"},
  };
  for (const auto& [key, name] : texts)
    cases.push_back(
        {key, [key = key, name = name](TFormConf& d) { Child<QLineEdit>(d, name)->setText(QString("新%1").arg(key)); }});
  return cases;
}

TEST_F(SettingsTest, EachConfControlChangesExactlyItsOwnKey) {
  // An opening that changes nothing writes the values it read.
  Conf([](TFormConf& d) {
    EXPECT_EQ(d.windowTitle(), "動作環境の設定");
    EXPECT_EQ(d.PageControl->count(), 4);
    EXPECT_EQ(d.EdtTax->text(), "8.5");
    EXPECT_EQ(d.EdtEstTitle->text(), "見積T");
    EXPECT_EQ(d.CBPdfEmbedFonts->text(), "PDFにフォントを埋め込む");
    EXPECT_FALSE(d.CBPdfEmbedFonts->isChecked());  // the fixture's 0
    EXPECT_EQ(d.CBIssueArchive->text(), "発行した書類の控えを保存する");
    EXPECT_FALSE(d.CBIssueArchive->isChecked());
    d.BtnOk->click();
  });
  const std::map<std::string, std::string> baseline = Section("SETTING");
  EXPECT_EQ(qmtest::ChangedKeys(qmtest::SectionValues(IniFile::FromBytes(fixture_), "SETTING"), baseline),
            std::vector<std::string>{});
  const std::string baselineBytes = ReadWholeFile(Conf());

  for (const ConfCase& c : ConfCases(messages_)) {
    WriteFileAtomically(Conf(), baselineBytes);
    window_->Session().LoadConfig();
    Conf([&c](TFormConf& d) {
      c.edit(d);
      d.BtnOk->click();
    });
    const std::map<std::string, std::string> after = Section("SETTING");
    EXPECT_EQ(qmtest::ChangedKeys(baseline, after), std::vector<std::string>{c.key}) << c.key;
    // The other profiles' sections are not touched by this dialog.
    EXPECT_EQ(Section("CAMPANY_INFO0"), qmtest::SectionValues(IniFile::FromBytes(fixture_), "CAMPANY_INFO0")) << c.key;
  }
  EXPECT_TRUE(messages_.colours.empty());
}

TEST_F(SettingsTest, CancelChangesNothingAndTheNextOpeningShowsTheSavedValues) {
  Conf([this](TFormConf& d) {
    d.EdtTax->setText("3");
    d.EdtEstTitle->setText("取消");
    d.CBPrintBunrui->toggle();
    messages_.Pick(QColor(0, 0, 255));
    d.BtnColorOdd->click();
    d.BtnCancel->click();
  });
  EXPECT_EQ(ReadWholeFile(Conf()), fixture_);
  EXPECT_EQ(window_->Session().Config().PrintMsgEstimateTitle(), "見積T");
  EXPECT_EQ(window_->Session().Config().LineColorOdd(), 255u);
  EXPECT_EQ(window_->Document().TaxRate(), Currency::ParseDecimal("8.5"));
  Conf([](TFormConf& d) {
    EXPECT_EQ(d.EdtTax->text(), "8.5");
    EXPECT_EQ(d.EdtEstTitle->text(), "見積T");
    EXPECT_TRUE(d.CBPrintBunrui->isChecked());
    EXPECT_EQ(d.ShapeLineColorOdd->Colour(), 255u);
    EXPECT_EQ(d.PageControl->currentIndex(), 0);
    d.PageControl->setCurrentIndex(2);
    d.BtnCancel->click();
  });
  Conf([](TFormConf& d) {
    EXPECT_EQ(d.PageControl->currentIndex(), 0);  // always opens on the first tab
    d.BtnCancel->click();
  });
}

TEST_F(SettingsTest, TaxRateIsRoundedToFourPlacesAndTheDocumentIsRecalculated) {
  TMxEstimateObjectList& doc = window_->Document();
  doc.Items(0).SetName("足場");
  doc.Items(0).SetTotalPrice(Currency::FromYen(1000));
  doc.DoCalc();
  const struct {
    const char* typed;
    const char* rate;
  } cases[] = {{"8.75", "8.75"}, {"0.00005", "0"}, {"0.00015", "0.0002"}, {"10", "10"}};
  for (const auto& c : cases) {
    Conf([&c](TFormConf& d) {
      d.EdtTax->setText(c.typed);
      d.BtnOk->click();
    });
    EXPECT_EQ(window_->Session().Config().TaxRate(), Currency::ParseDecimal(c.rate)) << c.typed;
    EXPECT_EQ(IniFile::Load(Conf()).ReadString("SETTING", "TAX", ""), c.rate) << c.typed;
    EXPECT_EQ(doc.TaxRate(), Currency::ParseDecimal(c.rate)) << c.typed;
  }
  // Recalculated with the last rate: 10 % of 1,000.
  EXPECT_EQ(doc.TotalTax(), Currency::FromYen(100));
  EXPECT_EQ(doc.TotalPrice(), Currency::FromYen(1100));
}

TEST_F(SettingsTest, ABadTaxRateKeepsTheDialogOpenWithEveryEdit) {
  for (const char* bad : {"", "8..5", "abc", "１０", "-1"}) {
    messages_.shown.clear();
    Conf([this, bad](TFormConf& d) {
      d.PageControl->setCurrentIndex(1);
      d.EdtEstTitle->setText("変更した");
      d.EdtTax->setText(bad);
      d.BtnOk->click();
      EXPECT_EQ(messages_.shown.value(0), "消費税率は数値で入力してください。") << bad;
      EXPECT_TRUE(d.isVisible()) << bad;
      EXPECT_EQ(d.PageControl->currentIndex(), 0) << bad;  // back to the field
      EXPECT_EQ(d.EdtEstTitle->text(), "変更した");
      // Nothing taken over yet.
      EXPECT_EQ(window_->Session().Config().PrintMsgEstimateTitle(), "見積T");
      EXPECT_EQ(ReadWholeFile(Conf()), fixture_);
      d.EdtTax->setText("9");
      d.BtnOk->click();
    });
    EXPECT_EQ(window_->Session().Config().PrintMsgEstimateTitle(), "変更した");
    EXPECT_EQ(window_->Session().Config().TaxRate(), Currency::FromYen(9));
    WriteFileAtomically(Conf(), fixture_);
    window_->Session().LoadConfig();
  }
}

TEST_F(SettingsTest, TaxFieldTakesOnlyDigitsAndThePoint) {
  Conf([](TFormConf& d) {
    d.EdtTax->clear();
    d.EdtTax->setFocus();
    QTest::keyClicks(d.EdtTax, "1a0.-5x");
    EXPECT_EQ(d.EdtTax->text(), "10.5");
    d.BtnCancel->click();
  });
}

TEST_F(SettingsTest, StampsFromPicturesBecomeBitmapsOnWhiteAndCanBeDeleted) {
  const QString png = WriteTransparentPng(data_.filePath("seal.png"));
  Conf([&](TFormConf& d) {
    EXPECT_FALSE(d.BtnStampDelete[2]->isEnabled());
    // A picture of another kind is refused by name.
    messages_.Open(data_.filePath("seal.gif"));
    d.BtnStampAdd[2]->click();
    EXPECT_EQ(messages_.shown.value(0), "対応している画像形式はBMP又はJPEG、PNGです。");
    EXPECT_TRUE(d.ImgPStamp[2]->IsEmpty());
    // The file filter lists every kind it takes.
    EXPECT_TRUE(messages_.openRequests.value(0).startsWith("画像ファイル (*.bmp *.jpg *.jpeg *.png)|"))
        << messages_.openRequests.value(0).toStdString();

    messages_.Open(png);
    d.BtnStampAdd[2]->click();
    EXPECT_FALSE(d.ImgPStamp[2]->IsEmpty());
    EXPECT_TRUE(d.BtnStampDelete[2]->isEnabled());
    d.BtnOk->click();
  });
  ASSERT_TRUE(QFile::exists(Img("pstamp2.bmp")));
  EXPECT_FALSE(QFile::exists(Img("pstamp1.bmp")));
  const std::string bytes = ReadWholeFile(Img("pstamp2.bmp").toStdString());
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  const QImage stored = QImage::fromData(QByteArray::fromStdString(bytes), "BMP");
  ASSERT_EQ(stored.size(), QSize(40, 40));
  EXPECT_EQ(stored.pixelColor(2, 2), QColor(Qt::white));  // was transparent
  EXPECT_EQ(stored.pixelColor(20, 20), QColor(255, 0, 0));
  EXPECT_FALSE(stored.hasAlphaChannel());

  // Deleting asks first; No keeps it.
  Conf([&](TFormConf& d) {
    messages_.Answer(false);
    d.BtnStampDelete[2]->click();
    EXPECT_EQ(messages_.asked.value(0), "捺印3を削除します、よろしいですか？");
    EXPECT_FALSE(d.ImgPStamp[2]->IsEmpty());
    messages_.Answer(true);
    d.BtnStampDelete[2]->click();
    EXPECT_TRUE(d.ImgPStamp[2]->IsEmpty());
    EXPECT_FALSE(d.BtnStampDelete[2]->isEnabled());
    d.BtnOk->click();
  });
  EXPECT_FALSE(QFile::exists(Img("pstamp2.bmp")));
}

TEST_F(SettingsTest, NewBandColoursReachTheEstimatePdf) {
  TMxEstimateObjectList& doc = window_->Document();
  doc.Items(0).SetName("足場");
  doc.Items(0).SetTotalPrice(Currency::FromYen(1000));
  doc.DoCalc();
  const auto pdfContent = [this](const QString& name) {
    const QString out = data_.filePath(name);
    messages_.SaveAs(out);
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<TFormPrintMitsu*>(QApplication::activeModalWidget())) dialog->BtnPdf->click();
    });
    window_->findChild<QAction*>("BtnMitsu")->trigger();
    const QString plain = out + ".qdf";
    EXPECT_EQ(qmtest::RunTool("qpdf", {"--qdf", "--object-streams=disable", out, plain}).exit, 0);
    return qmtest::ReadFileBytes(plain);
  };
  const std::string before = pdfContent("before.pdf");
  EXPECT_EQ(before.find("0 0 1 rg"), std::string::npos);
  Conf([this](TFormConf& d) {
    messages_.Pick(QColor(0, 0, 255));  // blue
    d.BtnColorOdd->click();
    EXPECT_EQ(d.ShapeLineColorOdd->Colour(), 0xFF0000u);
    d.BtnOk->click();
  });
  EXPECT_EQ(Section("SETTING").at("LINE_COLOR_ODD"), "16711680");
  EXPECT_NE(pdfContent("after.pdf").find("0 0 1 rg"), std::string::npos);
}

// ---------------------------------------------------------------------------------------
// 自社情報の登録

struct SenderCase {
  const char* key;
  std::function<void(TFormSenderConf&)> edit;
  std::string stored;  // the key's new text in conf.ini; empty for a flag
};

std::vector<SenderCase> SenderCases() {
  std::vector<SenderCase> cases;
  const std::pair<const char*, const char*> texts[] = {
      {"ZipNo", "EdtZip"},         {"Address1", "EdtAdd1"},       {"Address2", "EdtAdd2"},
      {"CampanyName1", "EdtCompany1"}, {"CampanyName2", "EdtCompany2"}, {"CampanyName3", "EdtCompany3"},
      {"ChargeName", "EdtName"},   {"TelFax", "EdtTel"},          {"BankName1", "EdtBank1"},
      {"BankNo1", "EdtAccount1"},  {"OwnerName1", "EdtAccName1"}, {"BankName2", "EdtBank2"},
      {"BankNo2", "EdtAccount2"},  {"OwnerName2", "EdtAccName2"},
  };
  for (const auto& [key, name] : texts)
    cases.push_back(
        {key, [name = name](TFormSenderConf& d) { Child<QLineEdit>(d, name)->setText("新しい値"); }, "新しい値"});
  const std::pair<const char*, const char*> numbers[] = {
      {"CampanyStampWidth_A4", "EdtPSizeWidA4"},
      {"CampanyStampHeight_A4", "EdtPSizeHigA4"},
      {"CampanyStampDetailPosX_A4", "EdtPPosDetailLeftA4"},
      {"CampanyStampDetailPosY_A4", "EdtPPosDetailTopA4"},
      {"CampanyStampTotalClaimPosX_A4", "EdtPPosClaimLeftA4"},
      {"CampanyStampTotalClaimPosY_A4", "EdtPPosClaimTopA4"},
      {"CampanyStampPosReceiptPosX_A4", "EdtPPosReceiptLeftA4"},
      {"CampanyStampPosReceiptPosY_A4", "EdtPPosReceiptTopA4"},
      {"CampanyStampPosFaxSenderPosX_A4", "EdtPPosFaxSenderLeftA4"},
      {"CampanyStampPosFaxSenderPosY_A4", "EdtPPosFaxSenderTopA4"},
      {"CampanyStampWidth_B5", "EdtPSizeWidB5"},
      {"CampanyStampHeight_B5", "EdtPSizeHigB5"},
      {"CampanyStampDetailPosX_B5", "EdtPPosDetailLeftB5"},
      {"CampanyStampDetailPosY_B5", "EdtPPosDetailTopB5"},
      {"CampanyStampTotalClaimPosX_B5", "EdtPPosClaimLeftB5"},
      {"CampanyStampTotalClaimPosY_B5", "EdtPPosClaimTopB5"},
      {"CampanyStampPosReceiptPosX_B5", "EdtPPosReceiptLeftB5"},
      {"CampanyStampPosReceiptPosY_B5", "EdtPPosReceiptTopB5"},
      {"CampanyStampPosFaxSenderPosX_B5", "EdtPPosFaxSenderLeftB5"},
      {"CampanyStampPosFaxSenderPosY_B5", "EdtPPosFaxSenderTopB5"},
  };
  for (const auto& [key, name] : numbers)
    cases.push_back({key, [name = name](TFormSenderConf& d) { Child<QLineEdit>(d, name)->setText("-5.5"); }, "-5.5"});
  // The registration number is stored in its checked form.
  cases.push_back({"RegistNo",
                   [](TFormSenderConf& d) { Child<QLineEdit>(d, "EdtRegistNo")->setText("１２３４５６７８９０１２３"); },
                   "T1234567890123"});
  cases.push_back({"PeppolID",
                   [](TFormSenderConf& d) { Child<QLineEdit>(d, "EdtPeppolId")->setText(" ０１８８：１２３４５６７８９０１２３"); },
                   "0188:1234567890123"});
  cases.push_back({"UseLogoImage", [](TFormSenderConf& d) { Child<QCheckBox>(d, "CBLogoUse")->toggle(); }, ""});
  cases.push_back({"UseCampanyStamp", [](TFormSenderConf& d) { Child<QCheckBox>(d, "CBStampUse")->toggle(); }, ""});
  cases.push_back({"UseCampanyStampTrans", [](TFormSenderConf& d) { Child<QCheckBox>(d, "CBTransColor")->toggle(); }, ""});
  return cases;
}

TEST_F(SettingsTest, EachProfileControlChangesExactlyItsOwnKey) {
  SenderConf([](TFormSenderConf& d) {
    EXPECT_EQ(d.windowTitle(), "自社情報の登録");
    EXPECT_TRUE(d.RBCompany[0]->isChecked());
    EXPECT_EQ(d.EdtAdd1->text(), "住所0A");
    EXPECT_EQ(d.StampFields[9]->text(), "110.25");
    d.BtnOk->click();
  });
  IniFile fixture = IniFile::FromBytes(fixture_);
  for (const char* s : {"CAMPANY_INFO0", "CAMPANY_INFO1", "CAMPANY_INFO2"})
    EXPECT_EQ(qmtest::ChangedKeys(qmtest::SectionValues(fixture, s), Section(s)), std::vector<std::string>{}) << s;
  const std::string baselineBytes = ReadWholeFile(Conf());
  const std::map<std::string, std::string> baseline = Section("CAMPANY_INFO0");

  for (const SenderCase& c : SenderCases()) {
    WriteFileAtomically(Conf(), baselineBytes);
    window_->Session().LoadCompanies();
    SenderConf([&c](TFormSenderConf& d) {
      c.edit(d);
      d.BtnOk->click();
    });
    const std::map<std::string, std::string> after = Section("CAMPANY_INFO0");
    EXPECT_EQ(qmtest::ChangedKeys(baseline, after), std::vector<std::string>{c.key}) << c.key;
    if (!c.stored.empty()) {
      EXPECT_EQ(after.at(c.key), c.stored);
    }
    EXPECT_EQ(Section("CAMPANY_INFO1"), qmtest::SectionValues(fixture, "CAMPANY_INFO1")) << c.key;
    EXPECT_EQ(Section("SETTING"), qmtest::SectionValues(fixture, "SETTING")) << c.key;
  }
}

TEST_F(SettingsTest, EditsOfTwoProfilesAreKeptOnOkAndAllDroppedOnCancel) {
  const auto editTwo = [](TFormSenderConf& d) {
    d.EdtAdd1->setText("一の住所");
    d.RBCompany[1]->click();
    EXPECT_EQ(d.FCampanyInfoNo, 2);
    EXPECT_EQ(d.EdtAdd1->text(), "住所1A");
    d.EdtName->setText("二の担当");
    d.StampFields[0]->setText("-5.5");
  };
  SenderConf([&](TFormSenderConf& d) {
    editTwo(d);
    d.BtnCancel->click();
  });
  EXPECT_EQ(ReadWholeFile(Conf()), fixture_);
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).Address1(), "住所0A");
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(1).ChargeName(), "担当1");
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(1).CampanyStampSizeWidth_A4(), 21.5);

  SenderConf([&](TFormSenderConf& d) {
    EXPECT_TRUE(d.RBCompany[1]->isChecked());  // the profile last shown
    d.RBCompany[0]->click();
    editTwo(d);
    d.BtnOk->click();
  });
  const IniFile fixture = IniFile::FromBytes(fixture_);
  EXPECT_EQ(qmtest::ChangedKeys(qmtest::SectionValues(fixture, "CAMPANY_INFO0"), Section("CAMPANY_INFO0")),
            std::vector<std::string>{"Address1"});
  EXPECT_EQ(qmtest::ChangedKeys(qmtest::SectionValues(fixture, "CAMPANY_INFO1"), Section("CAMPANY_INFO1")),
            (std::vector<std::string>{"CampanyStampWidth_A4", "ChargeName"}));
  EXPECT_EQ(Section("CAMPANY_INFO1").at("CampanyStampWidth_A4"), "-5.5");
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(1).CampanyStampSizeWidth_A4(), -5.5);
  EXPECT_EQ(Section("CAMPANY_INFO2"), qmtest::SectionValues(fixture, "CAMPANY_INFO2"));

  // The next opening shows the second profile as saved.
  SenderConf([](TFormSenderConf& d) {
    EXPECT_TRUE(d.RBCompany[1]->isChecked());
    EXPECT_EQ(d.EdtName->text(), "二の担当");
    EXPECT_EQ(d.StampFields[0]->text(), "-5.5");
    d.BtnCancel->click();
  });
}

TEST_F(SettingsTest, ABadNumberKeepsTheDialogOpenAndTheProfileWhole) {
  SenderConf([this](TFormSenderConf& d) {
    d.EdtAdd1->setText("新しい住所");
    d.StampFields[3]->setText("1.2.3");
    d.PageControl->setCurrentIndex(0);
    d.BtnOk->click();
    EXPECT_EQ(messages_.shown.value(0), "会社印の印刷サイズと位置は数値で入力してください。");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.PageControl->currentIndex(), 2);
    EXPECT_EQ(d.EdtAdd1->text(), "新しい住所");
    // Nothing of the profile was taken over: not the address before the bad number.
    EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).Address1(), "住所0A");
    // Nor can another profile be shown.
    d.RBCompany[2]->click();
    EXPECT_EQ(messages_.shown.size(), 2);
    EXPECT_EQ(d.FCampanyInfoNo, 1);
    EXPECT_TRUE(d.RBCompany[0]->isChecked());
    EXPECT_EQ(d.EdtAdd1->text(), "新しい住所");
    for (const char* bad : {"", "-", "1e", "abc"}) {
      d.StampFields[3]->setText(bad);
      EXPECT_FALSE(d.FormContent2Object(0)) << bad;
    }
    EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).Address1(), "住所0A");
    d.StampFields[3]->setText("7");
    d.BtnOk->click();
  });
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).Address1(), "新しい住所");
  EXPECT_EQ(Section("CAMPANY_INFO0").at("CampanyStampDetailPosY_A4"), "7");
}

TEST_F(SettingsTest, ABadRegistrationNumberKeepsTheDialogOpenOnItsField) {
  SenderConf([this](TFormSenderConf& d) {
    d.EdtAdd1->setText("新しい住所");
    d.EdtRegistNo->setText("T12345");
    d.PageControl->setCurrentIndex(2);
    d.BtnOk->click();
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].contains("「T」と13桁の数字")) << messages_.shown[0].toStdString();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.PageControl->currentIndex(), 0);
    EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).Address1(), "住所0A");
    EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).RegistNo(), "");
    d.EdtRegistNo->setText("t9876543210987");
    d.BtnOk->click();
  });
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).RegistNo(), "T9876543210987");
  EXPECT_EQ(Section("CAMPANY_INFO0").at("RegistNo"), "T9876543210987");
  EXPECT_EQ(Section("CAMPANY_INFO1").count("RegistNo"), 0u);
  SenderConf([](TFormSenderConf& d) {
    EXPECT_EQ(d.EdtRegistNo->text(), "T9876543210987");
    d.RBCompany[1]->click();
    EXPECT_EQ(d.EdtRegistNo->text(), "");
    d.BtnCancel->click();
  });
}

TEST_F(SettingsTest, ABadPeppolIdKeepsTheDialogOpenOnItsField) {
  SenderConf([this](TFormSenderConf& d) {
    d.EdtPeppolId->setText("0188:123");
    d.BtnOk->click();
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].contains("13桁")) << messages_.shown[0].toStdString();
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).PeppolId(), "");
    d.EdtPeppolId->setText("0221:t1234567890123");
    d.BtnOk->click();
    EXPECT_EQ(messages_.shown.size(), 2);
    d.EdtPeppolId->setText("0221:T1234567890123");
    d.BtnOk->click();
  });
  EXPECT_EQ(window_->Session().Companies().CampanyInfoArray(0).PeppolId(), "0221:T1234567890123");
  EXPECT_EQ(Section("CAMPANY_INFO0").at("PeppolID"), "0221:T1234567890123");
  EXPECT_EQ(Section("CAMPANY_INFO1").count("PeppolID"), 0u);
}

TEST_F(SettingsTest, LogoAndCompanySealAreChosenRemovedAndSavedOnlyOnOk) {
  const QString blue = WriteSolidPng(data_.filePath("blue.png"), QColor(0, 0, 255));
  const QString seal = WriteTransparentPng(data_.filePath("seal.png"));
  // Chosen, then cancelled: no file.
  SenderConf([&](TFormSenderConf& d) {
    EXPECT_FALSE(d.BtnLogoDelete->isEnabled());
    EXPECT_FALSE(d.CBLogoUse->isEnabled());
    messages_.Open(blue);
    d.BtnLogoSelect->click();
    EXPECT_FALSE(d.ImgLogo->IsEmpty());
    EXPECT_TRUE(d.CBLogoUse->isEnabled());
    d.BtnCancel->click();
  });
  EXPECT_FALSE(QFile::exists(Img("logo0.bmp")));
  EXPECT_TRUE(window_->Session().Companies().CampanyInfoArray(0).LogoImage().Empty());

  // Chosen for the first and the second profile, saved on OK.
  SenderConf([&](TFormSenderConf& d) {
    messages_.Open(blue);
    d.BtnLogoSelect->click();
    d.RBCompany[1]->click();
    EXPECT_TRUE(d.ImgLogo->IsEmpty());
    messages_.Open(seal);
    d.BtnStampSelect->click();
    EXPECT_TRUE(d.CBStampUse->isEnabled());
    EXPECT_TRUE(d.BtnStampDelete->isEnabled());
    d.BtnOk->click();
  });
  ASSERT_TRUE(QFile::exists(Img("logo0.bmp")));
  ASSERT_TRUE(QFile::exists(Img("stamp1.bmp")));
  EXPECT_FALSE(QFile::exists(Img("logo1.bmp")));
  EXPECT_FALSE(QFile::exists(Img("stamp0.bmp")));
  const QImage stamp(Img("stamp1.bmp"), "BMP");
  EXPECT_EQ(stamp.pixelColor(1, 1), QColor(Qt::white));
  EXPECT_EQ(QImage(Img("logo0.bmp"), "BMP").pixelColor(5, 5), QColor(0, 0, 255));

  // Removed after the question.
  SenderConf([&](TFormSenderConf& d) {
    ASSERT_EQ(d.FCampanyInfoNo, 2);
    d.CBStampUse->setChecked(true);
    messages_.Answer(false);
    d.BtnStampDelete->click();
    EXPECT_EQ(messages_.asked.value(0), "会社印を削除します、よろしいですか？");
    EXPECT_FALSE(d.ImgStamp->IsEmpty());
    messages_.Answer(true);
    d.BtnStampDelete->click();
    EXPECT_TRUE(d.ImgStamp->IsEmpty());
    EXPECT_FALSE(d.CBStampUse->isChecked());
    EXPECT_FALSE(d.StampFields[0]->isEnabled());
    d.RBCompany[0]->click();
    messages_.Answer(true);
    d.BtnLogoDelete->click();
    EXPECT_EQ(messages_.asked.value(2), "社判を削除します、よろしいですか？");
    EXPECT_TRUE(d.ImgLogo->IsEmpty());
    d.BtnOk->click();
  });
  EXPECT_FALSE(QFile::exists(Img("stamp1.bmp")));
  EXPECT_FALSE(QFile::exists(Img("logo0.bmp")));
  EXPECT_EQ(Section("CAMPANY_INFO1").at("UseCampanyStamp"), "0");
}

TEST_F(SettingsTest, TransparentColourIsSampledOnlyWhenTurnedOn) {
  const QString blue = WriteSolidPng(data_.filePath("blue.png"), QColor(0, 0, 255));
  SenderConf([&](TFormSenderConf& d) {
    d.CBTransColor->setChecked(false);
    messages_.Open(blue);
    d.BtnStampSelect->click();
    const TColor shown = d.ShapeTransColor->Colour();
    d.StampReleased(QPoint(50, 50));
    EXPECT_EQ(d.ShapeTransColor->Colour(), shown);
    d.CBTransColor->setChecked(true);
    QTest::mouseClick(d.ImgStamp, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(d.ShapeTransColor->Colour(), 0xFF0000u);  // blue as 0x00BBGGRR
    // Chosen in the colour dialog too; a cancelled dialog keeps it.
    messages_.Pick(QColor(0, 255, 0));
    d.BtnTransColor->click();
    EXPECT_EQ(d.ShapeTransColor->Colour(), 0x00FF00u);
    d.BtnTransColor->click();
    EXPECT_EQ(d.ShapeTransColor->Colour(), 0x00FF00u);
    d.BtnOk->click();
  });
  EXPECT_EQ(Section("CAMPANY_INFO0").at("CampanyStampTrans"), "clLime");
}

}  // namespace
}  // namespace qm::ui
