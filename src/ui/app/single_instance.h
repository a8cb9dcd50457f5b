#pragma once
// One running program per user. The first start listens on a local socket; a later
// start finds it there, asks it to bring its window forward and then quits.
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace qm::ui {

class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // The name every start of the program uses: the product plus the user, so that
  // two users on one machine never meet.
  static QString DefaultServerName();

  explicit SingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
  ~SingleInstance() override;

  const QString& ServerName() const { return FServerName; }

  // True when this process is the one to run: it now listens for later starts.
  // False when another instance answered and has been asked to raise its window;
  // the caller should then exit without showing anything.
  bool TryBecomePrimary();

  // Listening (only after TryBecomePrimary returned true and the name could be taken).
  bool IsListening() const;

 signals:
  // A later start asked this (primary) instance to show its window.
  void raiseRequested();

 private:
  bool SendRaise();
  bool Listen();
  void Accept();
  void ReadFrom(QLocalSocket* socket);

  QString FServerName;
  QLocalServer* FServer = nullptr;
};

// Brings `window` forward: shown, no longer minimised (other state such as maximised
// is kept), raised and given focus.
void RaiseAndRestore(QWidget* window);

}  // namespace qm::ui
