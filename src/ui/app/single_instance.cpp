#include "ui/app/single_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QWidget>
#include <QtGlobal>
#include <utility>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qm::ui {
namespace {

// What a later start sends; one line, anything else is ignored.
constexpr char kRaiseMessage[] = "raise\n";
constexpr qint64 kMaxLine = 64;

constexpr int kConnectTimeoutMs = 2000;
constexpr int kWriteTimeoutMs = 2000;
// Starts that overlap take turns through a lock file; a start that cannot get it in
// this time goes ahead anyway rather than not starting at all.
constexpr int kStartupLockWaitMs = 5000;

// Where the startup lock lives: beside the socket file (a bare name means the temp
// folder, as for the socket itself).
QString StartupLockPath(const QString& serverName) {
  const QString base =
      QDir::isAbsolutePath(serverName) ? serverName : QDir::tempPath() + u'/' + serverName;
  return base + QStringLiteral(".lock");
}

}  // namespace

QString SingleInstance::DefaultServerName() {
#ifdef Q_OS_UNIX
  const QString user = QString::number(::getuid());
#else
  QString user = qEnvironmentVariable("USERNAME");
  if (user.isEmpty()) user = qEnvironmentVariable("USER");
#endif
  return QStringLiteral("VeloraQuillmark-") + user;
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), FServerName(std::move(serverName)) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryBecomePrimary() {
  if (IsListening()) return true;
  QLockFile startup(StartupLockPath(FServerName));
  startup.tryLock(kStartupLockWaitMs);

  if (SendRaise()) return false;
  if (Listen()) return true;
  // Something sits at the name: an instance that started just now, or the socket
  // of one that crashed. Only the second may be cleared away.
  if (SendRaise()) return false;
  QLocalServer::removeServer(FServerName);
  if (Listen()) return true;
  // Run unguarded rather than refuse to run.
  qWarning("single instance: cannot listen on %s: %s", qUtf8Printable(FServerName),
           qUtf8Printable(FServer ? FServer->errorString() : QString()));
  return true;
}

bool SingleInstance::IsListening() const { return FServer && FServer->isListening(); }

bool SingleInstance::SendRaise() {
  QLocalSocket socket;
  socket.connectToServer(FServerName);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  socket.write(kRaiseMessage);
  // The primary is alive; even if the write stalls there is nothing better to do
  // than leave it to that instance.
  socket.waitForBytesWritten(kWriteTimeoutMs);
  socket.disconnectFromServer();
  return true;
}

bool SingleInstance::Listen() {
  if (!FServer) {
    FServer = new QLocalServer(this);
    connect(FServer, &QLocalServer::newConnection, this, &SingleInstance::Accept);
  }
  return FServer->listen(FServerName);
}

void SingleInstance::Accept() {
  while (QLocalSocket* socket = FServer->nextPendingConnection()) {
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadFrom(socket); });
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void SingleInstance::ReadFrom(QLocalSocket* socket) {
  while (socket->canReadLine()) {
    if (socket->readLine() == kRaiseMessage) emit raiseRequested();
  }
  // A peer that never ends its line is not one of ours.
  if (socket->bytesAvailable() > kMaxLine) socket->abort();
}

void RaiseAndRestore(QWidget* window) {
  if (!window) return;
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace qm::ui
