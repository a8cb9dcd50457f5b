// One running program per user: later starts are real processes that hand over to the
// first one; leftovers of a crashed instance never stop the next start.
// Below them: the compiled-in toolbar icons.
#include "ui/app/single_instance.h"
#include "ui/resources/icons.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace Qt::StringLiterals;
using qm::ui::SingleInstance;

constexpr int kProcessTimeoutMs = 30000;
constexpr int kSignalTimeoutMs = 10000;

// Exit codes of the helper.
constexpr int kHandedOver = 0;
constexpr int kBecamePrimary = 3;

// A helper process; killed if a test leaves it running.
class Helper {
 public:
  explicit Helper(const QString& serverName, bool stay = false) {
    QStringList args{serverName};
    if (stay) args << QStringLiteral("--stay");
    FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    FProcess.start(QStringLiteral(QM_SECOND_INSTANCE_PATH), args);
  }
  ~Helper() {
    if (FProcess.state() != QProcess::NotRunning) {
      FProcess.kill();
      FProcess.waitForFinished(kProcessTimeoutMs);
    }
  }

  // Runs the event loop (so a primary in this process can answer) until it ends.
  // The exit code, or -1 when it crashed or did not end.
  int WaitExit() {
    if (FProcess.state() != QProcess::NotRunning) {
      QSignalSpy finished(&FProcess, &QProcess::finished);
      if (!finished.wait(kProcessTimeoutMs)) return -1;
    }
    return FProcess.exitStatus() == QProcess::NormalExit ? FProcess.exitCode() : -1;
  }

  // The next line it prints, empty when it ends or stays silent.
  QString WaitLine() {
    const QDeadlineTimer deadline(kProcessTimeoutMs);
    while (!FProcess.canReadLine()) {
      if (deadline.hasExpired() || FProcess.state() == QProcess::NotRunning) {
        if (!FProcess.canReadLine()) return {};
        break;
      }
      FProcess.waitForReadyRead(100);
    }
    return QString::fromUtf8(FProcess.readLine()).trimmed();
  }

  // Ends it as a crash would: no chance to clean up its socket.
  void Kill() {
    FProcess.kill();
    FProcess.waitForFinished(kProcessTimeoutMs);
  }

 private:
  QProcess FProcess;
};

// A name nobody else uses, in the form of the real one (a bare name in the temp folder).
QString UniqueBareName() {
  static int counter = 0;
  return SingleInstance::DefaultServerName() + QStringLiteral("-test-%1-%2")
                                                   .arg(QCoreApplication::applicationPid())
                                                   .arg(++counter);
}

// A socket path inside a fresh folder.
class SocketFolder {
 public:
  QString Name() const { return FDir.filePath(QStringLiteral("vq")); }
  bool IsValid() const { return FDir.isValid(); }

 private:
  QTemporaryDir FDir;
};

TEST(SingleInstanceHandOver, LaterProcessHandsOverAndPrimaryRestoresItsWindow) {
  SingleInstance primary(UniqueBareName());
  ASSERT_TRUE(primary.TryBecomePrimary());
  ASSERT_TRUE(primary.IsListening());

  QWidget window;
  window.showMinimized();
  ASSERT_TRUE(window.windowState() & Qt::WindowMinimized);
  QObject::connect(&primary, &SingleInstance::raiseRequested,
                   [&window] { qm::ui::RaiseAndRestore(&window); });
  QSignalSpy raised(&primary, &SingleInstance::raiseRequested);

  Helper later(primary.ServerName());
  EXPECT_EQ(later.WaitExit(), kHandedOver);
  ASSERT_TRUE(raised.count() > 0 || raised.wait(kSignalTimeoutMs));
  EXPECT_EQ(raised.count(), 1);
  EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
  EXPECT_TRUE(window.isVisible());
}

TEST(SingleInstanceHandOver, PrimaryKeepsAnsweringEveryLaterStart) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  SingleInstance primary(folder.Name());
  ASSERT_TRUE(primary.TryBecomePrimary());
  QSignalSpy raised(&primary, &SingleInstance::raiseRequested);

  for (int i = 0; i < 3; ++i) {
    Helper later(primary.ServerName());
    EXPECT_EQ(later.WaitExit(), kHandedOver) << "start " << i;
  }
  const QDeadlineTimer deadline(kSignalTimeoutMs);
  while (raised.count() < 3 && raised.wait(int(deadline.remainingTime()))) {
  }
  EXPECT_EQ(raised.count(), 3);
}

TEST(SingleInstanceHandOver, WithoutPrimaryTheProcessBecomesPrimary) {
  Helper first(UniqueBareName());
  EXPECT_EQ(first.WaitExit(), kBecamePrimary);
}

TEST(SingleInstanceHandOver, PrimaryInAnotherProcessIsAskedToRaise) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  Helper primary(folder.Name(), /*stay=*/true);
  ASSERT_EQ(primary.WaitLine(), QStringLiteral("primary"));

  SingleInstance later(folder.Name());
  EXPECT_FALSE(later.TryBecomePrimary());
  EXPECT_FALSE(later.IsListening());
  EXPECT_EQ(primary.WaitLine(), QStringLiteral("raised"));
}

TEST(SingleInstanceLeftovers, PlainFileAtTheSocketPathIsCleared) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  {
    QFile junk(folder.Name());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("left over");
  }
  SingleInstance primary(folder.Name());
  EXPECT_TRUE(primary.TryBecomePrimary());
  ASSERT_TRUE(primary.IsListening());

  // It really answers on that name now.
  QSignalSpy raised(&primary, &SingleInstance::raiseRequested);
  Helper later(folder.Name());
  EXPECT_EQ(later.WaitExit(), kHandedOver);
  EXPECT_TRUE(raised.count() > 0 || raised.wait(kSignalTimeoutMs));
}

TEST(SingleInstanceLeftovers, SocketOfKilledPrimaryIsCleared) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  {
    Helper crashed(folder.Name(), /*stay=*/true);
    ASSERT_EQ(crashed.WaitLine(), QStringLiteral("primary"));
    crashed.Kill();
  }
  ASSERT_TRUE(QFile::exists(folder.Name())) << "the killed instance should leave its socket";

  Helper next(folder.Name());
  EXPECT_EQ(next.WaitExit(), kBecamePrimary);
}

TEST(SingleInstanceLeftovers, ClosedPrimaryFreesTheName) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  {
    SingleInstance earlier(folder.Name());
    ASSERT_TRUE(earlier.TryBecomePrimary());
  }
  EXPECT_FALSE(QFile::exists(folder.Name()));
  Helper next(folder.Name());
  EXPECT_EQ(next.WaitExit(), kBecamePrimary);
}

TEST(SingleInstanceLeftovers, UnusableNameStillLetsTheProgramRun) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  // A folder that does not exist: nobody can answer there and nothing can listen.
  const QString name = folder.Name() + u"/missing/vq"_s;
  SingleInstance instance(name);
  EXPECT_TRUE(instance.TryBecomePrimary());
  EXPECT_FALSE(instance.IsListening());
}

TEST(SingleInstanceRace, SimultaneousStartsLeaveExactlyOnePrimary) {
  SocketFolder folder;
  ASSERT_TRUE(folder.IsValid());
  constexpr int kStarts = 4;
  std::vector<std::unique_ptr<Helper>> helpers;
  for (int i = 0; i < kStarts; ++i)
    helpers.push_back(std::make_unique<Helper>(folder.Name(), /*stay=*/true));

  Helper* primary = nullptr;
  int handedOver = 0;
  for (auto& helper : helpers) {
    const QString line = helper->WaitLine();
    if (line == QStringLiteral("primary")) {
      EXPECT_EQ(primary, nullptr) << "two instances listen on one name";
      primary = helper.get();
    } else {
      EXPECT_EQ(line, QString());
      EXPECT_EQ(helper->WaitExit(), kHandedOver);
      ++handedOver;
    }
  }
  ASSERT_NE(primary, nullptr);
  EXPECT_EQ(handedOver, kStarts - 1);
  // Every other start reached it.
  for (int i = 0; i < handedOver; ++i)
    EXPECT_EQ(primary->WaitLine(), QStringLiteral("raised")) << "request " << i;
}

// A primary in this process and a raw client talking to it.
class SingleInstanceMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FFolder.IsValid());
    ASSERT_TRUE(FPrimary.TryBecomePrimary());
    FClient.connectToServer(FFolder.Name());
    ASSERT_TRUE(FClient.waitForConnected(kSignalTimeoutMs));
  }

  SocketFolder FFolder;
  SingleInstance FPrimary{FFolder.Name()};
  QSignalSpy FRaised{&FPrimary, &SingleInstance::raiseRequested};
  QLocalSocket FClient;
};

TEST_F(SingleInstanceMessages, OnlyTheRaiseLineCounts) {
  FClient.write("hello\nraise please\nraise\n");
  ASSERT_TRUE(FClient.waitForBytesWritten(kSignalTimeoutMs));
  ASSERT_TRUE(FRaised.wait(kSignalTimeoutMs));
  QCoreApplication::processEvents();
  EXPECT_EQ(FRaised.count(), 1);
}

TEST_F(SingleInstanceMessages, EndlessLineIsCutOffAndPrimaryCarriesOn) {
  QSignalSpy dropped(&FClient, &QLocalSocket::disconnected);
  FClient.write(QByteArray(4096, 'x'));
  EXPECT_TRUE(dropped.wait(kSignalTimeoutMs));
  EXPECT_EQ(FRaised.count(), 0);

  Helper later(FFolder.Name());
  EXPECT_EQ(later.WaitExit(), kHandedOver);
  EXPECT_TRUE(FRaised.count() > 0 || FRaised.wait(kSignalTimeoutMs));
}

TEST(RaiseAndRestore, KeepsMaximisedWhenLeavingMinimised) {
  QWidget window;
  window.setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
  window.show();
  ASSERT_TRUE(window.windowState() & Qt::WindowMinimized);

  qm::ui::RaiseAndRestore(&window);
  EXPECT_EQ(window.windowState(), Qt::WindowStates(Qt::WindowMaximized));
}

TEST(RaiseAndRestore, ShowsHiddenWindow) {
  QWidget window;
  ASSERT_FALSE(window.isVisible());
  qm::ui::RaiseAndRestore(&window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
}

// ---- Icons -------------------------------------------------------------------

const QStringList& IconNames() {
  static const QStringList names{
      u"new"_s,           u"open"_s,          u"save"_s,          u"estimate"_s,
      u"unit_price_estimate"_s, u"delivery_note"_s, u"invoice"_s, u"invoice_detail"_s,
      u"goods_receipt"_s, u"receipt"_s,       u"total_invoice"_s, u"fax_cover"_s,
      u"breakdown"_s,     u"customer"_s,      u"postal"_s,        u"rows_add"_s,
      u"rows_remove"_s,   u"move_up"_s,       u"move_down"_s,     u"delete_line"_s,
      u"picture"_s};
  return names;
}

// The print buttons sit side by side; each needs its own look.
const QStringList& DocumentIconNames() {
  static const QStringList names{
      u"estimate"_s,      u"unit_price_estimate"_s, u"delivery_note"_s, u"invoice"_s,
      u"invoice_detail"_s, u"goods_receipt"_s,     u"receipt"_s,       u"total_invoice"_s,
      u"fax_cover"_s,     u"breakdown"_s};
  return names;
}

QString IconPath(const QString& name) { return u":/icons/"_s + name + u".svg"_s; }

QImage Render(const QString& name) {
  return QIcon(IconPath(name)).pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Collects what the SVG reader complains about while a test renders.
class SvgWarnings {
 public:
  SvgWarnings() {
    Collected().clear();
    FPrevious = qInstallMessageHandler(&SvgWarnings::Handle);
  }
  ~SvgWarnings() { qInstallMessageHandler(FPrevious); }
  const QStringList& List() const { return Collected(); }

 private:
  static QStringList& Collected() {
    static QStringList list;
    return list;
  }
  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtDebugMsg && QByteArray(context.category ? context.category : "").contains("svg"))
      Collected() << text;
  }
  QtMessageHandler FPrevious = nullptr;
};

class Icons : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { qm::ui::InitIconResources(); }
};

TEST_F(Icons, ResourceHoldsExactlyTheToolbarSet) {
  QStringList present = QDir(u":/icons"_s).entryList(QDir::Files);
  QStringList expected;
  for (const QString& name : IconNames()) expected << name + u".svg"_s;
  present.sort();
  expected.sort();
  EXPECT_EQ(present, expected);
}

TEST_F(Icons, EveryIconDrawsAt24WithItsAccent) {
  const QColor accent(0xE0, 0x59, 0x2A);
  SvgWarnings warnings;
  for (const QString& name : IconNames()) {
    SCOPED_TRACE(name.toStdString());
    const QIcon icon(IconPath(name));
    ASSERT_FALSE(icon.isNull());
    const QImage image = Render(name);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(24, 24));
    int drawn = 0;
    int accented = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.alpha() > 0) ++drawn;
        // Edges blend with white, so compare the hue of well-covered pixels.
        if (c.alpha() > 128 && c.saturation() > 100 && qAbs(c.hslHue() - accent.hslHue()) < 10)
          ++accented;
      }
    }
    // Not a blank square, not a filled one, and the accent is really painted.
    EXPECT_GT(drawn, 24 * 24 / 5);
    EXPECT_LT(drawn, 24 * 24);
    EXPECT_GT(accented, 4);
  }
  EXPECT_TRUE(warnings.List().isEmpty()) << warnings.List().join(u'\n').toStdString();
}

TEST_F(Icons, DocumentIconsDifferFromEachOther) {
  const QStringList& names = DocumentIconNames();
  std::vector<QImage> images;
  for (const QString& name : names) images.push_back(Render(name));
  for (qsizetype i = 0; i < names.size(); ++i) {
    for (qsizetype j = i + 1; j < names.size(); ++j) {
      // Enough differing pixels to tell them apart at toolbar size.
      int differing = 0;
      for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
          if (images[size_t(i)].pixel(x, y) != images[size_t(j)].pixel(x, y)) ++differing;
      EXPECT_GT(differing, 10) << names[i].toStdString() << " vs " << names[j].toStdString();
    }
  }
}

TEST_F(Icons, NamedIconIsTheResourceIcon) {
  const QImage direct = Render(u"invoice"_s);
  const QImage named =
      qm::ui::Icon(u"invoice").pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
  EXPECT_FALSE(named.isNull());
  EXPECT_EQ(named, direct);
  EXPECT_TRUE(qm::ui::Icon(u"no_such_icon").pixmap(24, 24).isNull());
}

}  // namespace
