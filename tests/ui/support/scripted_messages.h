#pragma once
// Answers the program's message boxes in tests: records every text and answers
// questions from a queue given beforehand. A question nobody expected is answered No and
// recorded, so a test can fail on it.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/common/message_box.h"

namespace qmtest {

class ScriptedMessages final : public qm::ui::MessageSeam {
 public:
  ScriptedMessages() { qm::ui::SetMessageSeam(this); }
  ~ScriptedMessages() override { qm::ui::SetMessageSeam(nullptr); }

  void Inform(QWidget*, const QString& text) override {
    shown << text;
    if (whileShown) whileShown();
  }
  bool Confirm(QWidget*, const QString& text) override {
    asked << text;
    if (answers.empty()) {
      unexpected << text;
      return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
  }
  void Error(QWidget*, const QString& text) override { errors << text; }

  QString ChooseFolder(QWidget*, const QString& prompt) override {
    prompts << prompt;
    if (folders.empty()) return QString();
    const QString folder = folders.front();
    folders.pop_front();
    return folder;
  }

  QString ChooseSaveFile(QWidget*, const QString& filter, const QString& defaultSuffix,
                         const QString& folder) override {
    saveRequests << filter + "|" + defaultSuffix + "|" + folder;
    if (saveFiles.empty()) return QString();
    const QString file = saveFiles.front();
    saveFiles.pop_front();
    return file;
  }

  QString ChooseOpenFile(QWidget*, const QString& filter, const QString& folder) override {
    openRequests << filter + "|" + folder;
    if (openFiles.empty()) return QString();
    const QString file = openFiles.front();
    openFiles.pop_front();
    return file;
  }

  QColor ChooseColour(QWidget*, const QColor& initial) override {
    colourRequests << initial;
    if (colours.empty()) return QColor();
    const QColor colour = colours.front();
    colours.pop_front();
    return colour;
  }

  void Answer(bool yes) { answers.push_back(yes); }
  void Pick(const QColor& colour) { colours.push_back(colour); }
  void Open(const QString& file) { openFiles.push_back(file); }
  void SaveAs(const QString& file) { saveFiles.push_back(file); }
  void Choose(const QString& folder) { folders.push_back(folder); }

  // Runs while an information box is "open": a real one takes the focus, for one.
  std::function<void()> whileShown;
  QStringList shown, asked, errors, unexpected, prompts, saveRequests, openRequests;
  std::deque<bool> answers;
  std::deque<QString> folders, saveFiles, openFiles;
  std::deque<QColor> colours;
  QList<QColor> colourRequests;
};

}  // namespace qmtest
