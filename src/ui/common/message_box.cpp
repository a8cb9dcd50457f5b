#include "ui/common/message_box.h"

#include <QApplication>
#include <QDir>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QMessageBox>

namespace qm::ui {
namespace {

QString Caption() {
  const QString name = QApplication::applicationName();
  return name.isEmpty() ? QStringLiteral("Velora Quillmark") : name;
}

class RealMessages final : public MessageSeam {
 public:
  void Inform(QWidget* parent, const QString& text) override {
    QMessageBox::information(parent, Caption(), text, QMessageBox::Ok);
  }
  bool Confirm(QWidget* parent, const QString& text) override {
    return QMessageBox::question(parent, Caption(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
  }
  void Error(QWidget* parent, const QString& text) override {
    QMessageBox::critical(parent, Caption(), text, QMessageBox::Ok);
  }
  QString ChooseFolder(QWidget* parent, const QString& prompt) override {
    return QFileDialog::getExistingDirectory(parent, prompt);
  }
  QString ChooseSaveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                         const QString& folder) override {
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    // Replacing a file is asked by the program itself, through the seam.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().front();
  }
  QString ChooseOpenFile(QWidget* parent, const QString& filter, const QString& folder) override {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
  }
  QColor ChooseColour(QWidget* parent, const QColor& initial) override {
    return QColorDialog::getColor(initial, parent);
  }
};

RealMessages g_real;
MessageSeam* g_seam = &g_real;

}  // namespace

MessageSeam& Messages() { return *g_seam; }

QString ChooseFileToWrite(QWidget* parent, const QString& filter, const QString& defaultSuffix, const QString& folder) {
  const QString path = ChooseSaveFile(parent, filter, defaultSuffix, folder);
  if (path.isEmpty() || !QFileInfo::exists(path)) return path;
  const QString name = QFileInfo(path).fileName();
  return AskYesNo(parent, name + QStringLiteral(" は既に存在します。\r\n上書きしますか？")) ? path : QString();
}

QString ExportFolder() {
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  // A folder that is not there would be taken by the save dialog as a file name.
  if (!desktop.isEmpty() && QDir(desktop).exists()) return desktop;
  return QDir::homePath();
}

void SetMessageSeam(MessageSeam* seam) { g_seam = seam ? seam : &g_real; }

}  // namespace qm::ui
