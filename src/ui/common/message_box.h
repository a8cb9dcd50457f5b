#pragma once
// Every message and question of the program goes through here, so that tests can
// answer them without a person. The captions are the application title.
#include <QColor>
#include <QString>

class QWidget;

namespace qm::ui {

class MessageSeam {
 public:
  virtual ~MessageSeam() = default;
  // An information box with OK.
  virtual void Inform(QWidget* parent, const QString& text) = 0;
  // A confirmation with Yes and No; true only for Yes.
  virtual bool Confirm(QWidget* parent, const QString& text) = 0;
  // The general error box for failures no command handles.
  virtual void Error(QWidget* parent, const QString& text) = 0;
  // The folder browser; empty when cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& prompt) = 0;
  // The save dialog: `filter` as "BMPファイル(*.bmp)", the suffix added when the name has
  // none, starting in `folder`; empty when cancelled.
  virtual QString ChooseSaveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                                 const QString& folder) = 0;
  // The open dialog of an existing file: `filter` as "CSVファイル(*.csv)", starting in
  // `folder`; empty when cancelled.
  virtual QString ChooseOpenFile(QWidget* parent, const QString& filter, const QString& folder) = 0;
  // The colour chooser preset to `initial`; an invalid colour when cancelled.
  virtual QColor ChooseColour(QWidget* parent, const QColor& initial) = 0;
};

// The seam in use; the real message boxes unless a test installed another.
MessageSeam& Messages();
// Installs `seam` (nullptr restores the real boxes). The caller keeps ownership.
void SetMessageSeam(MessageSeam* seam);

// Shorthands.
inline void ShowMessage(QWidget* parent, const QString& text) { Messages().Inform(parent, text); }
inline bool AskYesNo(QWidget* parent, const QString& text) { return Messages().Confirm(parent, text); }
inline void ShowError(QWidget* parent, const QString& text) { Messages().Error(parent, text); }
inline QString ChooseFolder(QWidget* parent, const QString& prompt) { return Messages().ChooseFolder(parent, prompt); }
inline QString ChooseSaveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                              const QString& folder) {
  return Messages().ChooseSaveFile(parent, filter, defaultSuffix, folder);
}

inline QString ChooseOpenFile(QWidget* parent, const QString& filter, const QString& folder) {
  return Messages().ChooseOpenFile(parent, filter, folder);
}
inline QColor ChooseColour(QWidget* parent, const QColor& initial) { return Messages().ChooseColour(parent, initial); }

// The save dialog, then, for a file that exists, the question whether to replace it:
// the path to write, or empty when the user cancelled or keeps the old file.
QString ChooseFileToWrite(QWidget* parent, const QString& filter, const QString& defaultSuffix, const QString& folder);

// Where the save dialogs of written files start: the desktop, or the home folder on a
// system without a desktop folder.
QString ExportFolder();

}  // namespace qm::ui
