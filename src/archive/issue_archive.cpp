#include "archive/issue_archive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <set>

#include <openssl/evp.h>

#include "base/atomic_file.h"
#include "base/comma_text.h"
#include "base/cp932.h"
#include "base/error.h"

namespace qm::archive {
namespace {

constexpr const char* kTimeFormat = "yyyy-MM-dd HH:mm:ss";
constexpr const char* kDateFormat = "yyyy-MM-dd";

// Reasons a record fails verification.
constexpr const char* kPdfMissing = "PDFがありません";
constexpr const char* kPdfAltered = "PDFが変更されています";
constexpr const char* kRecordAltered = "記録が変更されています";
constexpr const char* kChainBroken = "前の記録とつながっていません";
constexpr const char* kRecordDeleted = "記録が削除されています";
constexpr const char* kPdfWithoutRecord = "記録のないPDFです";

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QVariant& v) { return v.toString().toStdString(); }

// The record as hashed: every field but the hash, one a line, in a fixed order.
std::string Canonical(const IssuedRecord& r) {
  std::string out;
  const auto add = [&out](const std::string& field) {
    out += field;
    out += '\n';
  };
  add(std::to_string(r.id));
  add(r.issuedAt.toString(kTimeFormat).toStdString());
  add(r.slipDate.toString(kDateFormat).toStdString());
  add(std::to_string(static_cast<int>(r.kind)));
  add(r.slipNo);
  add(r.customer);
  add(r.customerCode);
  add(std::to_string(r.total.Raw()));
  add(std::to_string(r.tax.Raw()));
  add(r.registNo);
  add(ViaName(r.via));
  add(r.target);
  add(r.source);
  add(r.file);
  add(r.sha256);
  add(r.corrects ? std::to_string(*r.corrects) : std::string());
  add(r.previous);
  return out;
}

std::string FileSafe(const std::string& text) {
  // Characters no file system of the user's takes, and control characters, become "_".
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) out += '_';
    else out += c;
  }
  // No leading or trailing blanks or dots, and not so long that the name passes the limit.
  QString q = QString::fromStdString(out).trimmed();
  while (q.startsWith('.')) q.remove(0, 1);
  while (q.endsWith('.')) q.chop(1);
  q = q.trimmed().left(40);
  return q.isEmpty() ? std::string("名称なし") : q.toStdString();
}

std::string Qerror(const QSqlQuery& q) { return q.lastError().text().toStdString(); }

}  // namespace

const char* ViaName(IssueVia via) {
  switch (via) {
    case IssueVia::Print: return "print";
    case IssueVia::Pdf: return "pdf";
    case IssueVia::Qm: return "qm";
  }
  return "pdf";
}

std::optional<IssueVia> FindVia(std::string_view name) {
  for (const IssueVia v : {IssueVia::Print, IssueVia::Pdf, IssueVia::Qm})
    if (name == ViaName(v)) return v;
  return std::nullopt;
}

bool IsArchivedKind(TChartType kind) {
  return KindOf(kind).family == KindFamily::Estimate || kind == TChartType::tcRyosyu ||
         kind == TChartType::tcGoukeiSeikyu;
}

std::string IssuedFileName(const QDate& slipDate, const std::string& customer, Currency total, TChartType kind,
                           std::int64_t id) {
  return slipDate.toString("yyyyMMdd").toStdString() + "_" + FileSafe(customer) + "_" + total.ToDecimalText() + "_" +
         KindOf(kind).name + "_" + std::to_string(id) + ".pdf";
}

namespace {

// SHA-256 through libcrypto, which uses the processor's SHA instructions where it has them:
// verifying an archive of some thousand PDFs is as quick as reading them.
class Sha256 {
 public:
  Sha256() : ctx_(EVP_MD_CTX_new()) {
    if (!ctx_ || EVP_DigestInit_ex(ctx_, EVP_sha256(), nullptr) != 1) throw Error("SHA-256 を計算できません");
  }
  ~Sha256() { EVP_MD_CTX_free(ctx_); }
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void Add(const void* data, std::size_t size) {
    if (EVP_DigestUpdate(ctx_, data, size) != 1) throw Error("SHA-256 を計算できません");
  }
  std::string Hex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int size = 0;
    if (EVP_DigestFinal_ex(ctx_, digest, &size) != 1) throw Error("SHA-256 を計算できません");
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (unsigned int i = 0; i < size; ++i) {
      out += kHex[digest[i] >> 4];
      out += kHex[digest[i] & 15];
    }
    return out;
  }

 private:
  EVP_MD_CTX* ctx_;
};

// The SHA-256 of a file; nullopt when it cannot be read.
std::optional<std::string> FileSha256(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  Sha256 sha;
  std::vector<char> buffer(1 << 18);
  for (;;) {
    const qint64 n = file.read(buffer.data(), static_cast<qint64>(buffer.size()));
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    sha.Add(buffer.data(), static_cast<std::size_t>(n));
  }
  return sha.Hex();
}

}  // namespace

std::string Sha256Hex(std::string_view bytes) {
  Sha256 sha;
  sha.Add(bytes.data(), bytes.size());
  return sha.Hex();
}

// ---------------------------------------------------------------------------------

struct IssueArchive::Db {
  QString name;
  QSqlDatabase db;
  ~Db() {
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
  }
};

IssueArchive::IssueArchive(const DataFolder& folder, const Clock& clock)
    : folder_(folder.Root() + "issued/"), dataRoot_(folder.Root()), clock_(clock) {}

IssueArchive::~IssueArchive() = default;

std::string IssueArchive::FolderPath() const { return folder_; }
std::string IssueArchive::IndexPath() const { return folder_ + "issued.sqlite"; }

IssueArchive::Db& IssueArchive::Open() const {
  if (db_) return *db_;
  EnsureFolder(folder_);
  static std::atomic<unsigned> counter{0};
  auto db = std::make_unique<Db>();
  db->name = QStringLiteral("qm-issued-%1").arg(counter.fetch_add(1));
  db->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), db->name);
  db->db.setDatabaseName(Q(IndexPath()));
  // Another copy of the program may be issuing at the same moment.
  db->db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
  if (!db->db.open())
    throw Error("発行控えの索引 " + IndexPath() + " を開けません（" + db->db.lastError().text().toStdString() + "）");
  QSqlQuery q(db->db);
  for (const char* sql : {
           "PRAGMA synchronous=FULL",
           "CREATE TABLE IF NOT EXISTS issued ("
           " id INTEGER PRIMARY KEY AUTOINCREMENT, issued_at TEXT NOT NULL, slip_date TEXT NOT NULL,"
           " kind INTEGER NOT NULL, slip_no TEXT NOT NULL, customer TEXT NOT NULL, customer_code TEXT NOT NULL,"
           " total INTEGER NOT NULL, tax INTEGER NOT NULL, regist_no TEXT NOT NULL, via TEXT NOT NULL,"
           " target TEXT NOT NULL, source TEXT NOT NULL, file TEXT NOT NULL, sha256 TEXT NOT NULL,"
           " corrects INTEGER, previous TEXT NOT NULL, hash TEXT NOT NULL)",
           "CREATE INDEX IF NOT EXISTS issued_slip_date ON issued (slip_date)",
           "CREATE INDEX IF NOT EXISTS issued_total ON issued (total)",
           "CREATE INDEX IF NOT EXISTS issued_kind_slip ON issued (kind, slip_no)",
       })
    if (!q.exec(QString::fromLatin1(sql)))
      throw Error("発行控えの索引 " + IndexPath() + " を使えません（" + Qerror(q) + "）");
  db_ = std::move(db);
  return *db_;
}

namespace {

constexpr const char* kColumns =
    "id, issued_at, slip_date, kind, slip_no, customer, customer_code, total, tax, regist_no, via, target, source, "
    "file, sha256, corrects, previous, hash";

// "YYYY-MM-DD" and "YYYY-MM-DD HH:MM:SS" read by hand: QDateTime::fromString with a format
// costs more than the rest of a record together.
int Digits(const QString& s, int at, int count) {
  int v = 0;
  for (int i = at; i < at + count; ++i) {
    const QChar c = s.at(i);
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c.unicode() - '0');
  }
  return v;
}

QDate DateOf(const QString& s) {
  if (s.size() < 10 || s.at(4) != '-' || s.at(7) != '-') return {};
  return QDate(Digits(s, 0, 4), Digits(s, 5, 2), Digits(s, 8, 2));
}

QDateTime DateTimeOf(const QString& s) {
  if (s.size() != 19 || s.at(10) != ' ' || s.at(13) != ':' || s.at(16) != ':') return {};
  return QDateTime(DateOf(s), QTime(Digits(s, 11, 2), Digits(s, 14, 2), Digits(s, 17, 2)));
}

IssuedRecord RecordOf(const QSqlQuery& q) {
  IssuedRecord r;
  r.id = q.value(0).toLongLong();
  r.issuedAt = DateTimeOf(q.value(1).toString());
  r.slipDate = DateOf(q.value(2).toString());
  const int kind = q.value(3).toInt();
  r.kind = kind >= 0 && kind < static_cast<int>(DocumentKinds().size()) ? static_cast<TChartType>(kind)
                                                                         : TChartType::tcMitumori;
  r.slipNo = S(q.value(4));
  r.customer = S(q.value(5));
  r.customerCode = S(q.value(6));
  r.total = Currency::FromRaw(q.value(7).toLongLong());
  r.tax = Currency::FromRaw(q.value(8).toLongLong());
  r.registNo = S(q.value(9));
  r.via = FindVia(S(q.value(10))).value_or(IssueVia::Pdf);
  r.target = S(q.value(11));
  r.source = S(q.value(12));
  r.file = S(q.value(13));
  r.sha256 = S(q.value(14));
  if (!q.value(15).isNull()) r.corrects = q.value(15).toLongLong();
  r.previous = S(q.value(16));
  r.hash = S(q.value(17));
  return r;
}

}  // namespace

IssuedRecord IssueArchive::Archive(const IssueFacts& f, const std::string& pdf) {
  Db& db = Open();
  QSqlQuery q(db.db);
  const auto fail = [&](const std::string& why) -> void { throw Error("発行控えを保存できません（" + why + "）"); };
  if (!q.exec(QStringLiteral("BEGIN IMMEDIATE"))) fail(Qerror(q));
  std::string written;
  try {
    IssuedRecord r;
    // The next number: one past every number ever given, a deleted record's too.
    q.exec(QStringLiteral("SELECT MAX(COALESCE((SELECT seq FROM sqlite_sequence WHERE name = 'issued'), 0),"
                          " COALESCE((SELECT MAX(id) FROM issued), 0))"));
    r.id = (q.next() ? q.value(0).toLongLong() : 0) + 1;
    q.exec(QStringLiteral("SELECT hash FROM issued ORDER BY id DESC LIMIT 1"));
    r.previous = q.next() ? S(q.value(0)) : std::string();
    r.issuedAt = clock_.Now();
    r.issuedAt.setTime(QTime(r.issuedAt.time().hour(), r.issuedAt.time().minute(), r.issuedAt.time().second()));
    r.slipDate = f.slipDate.isValid() ? f.slipDate : r.issuedAt.date();
    r.kind = f.kind;
    r.slipNo = f.slipNo;
    r.customer = f.customer;
    r.customerCode = f.customerCode;
    r.total = f.total;
    r.tax = f.tax;
    r.registNo = f.registNo;
    r.via = f.via;
    r.target = f.target;
    r.source = f.source;
    if (!r.slipNo.empty()) {
      q.prepare(QStringLiteral("SELECT id FROM issued WHERE kind = ? AND slip_no = ? ORDER BY id DESC LIMIT 1"));
      q.addBindValue(static_cast<int>(r.kind));
      q.addBindValue(Q(r.slipNo));
      if (q.exec() && q.next()) r.corrects = q.value(0).toLongLong();
    }
    const std::string year = std::to_string(r.slipDate.year());
    r.file = "issued/" + year + "/" + IssuedFileName(r.slipDate, r.customer, r.total, r.kind, r.id);
    r.sha256 = Sha256Hex(pdf);
    r.hash = Sha256Hex(Canonical(r));

    EnsureFolder(folder_ + year);
    WriteFileAtomically(dataRoot_ + r.file, pdf);
    written = dataRoot_ + r.file;
    if (WriteFaultInjected(WriteStep::Write, IndexPath())) fail("書き込みに失敗しました");
    q.prepare(QStringLiteral("INSERT INTO issued (") + QString::fromLatin1(kColumns) +
              QStringLiteral(") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(static_cast<qlonglong>(r.id));
    q.addBindValue(r.issuedAt.toString(QString::fromLatin1(kTimeFormat)));
    q.addBindValue(r.slipDate.toString(QString::fromLatin1(kDateFormat)));
    q.addBindValue(static_cast<int>(r.kind));
    for (const std::string* text : {&r.slipNo, &r.customer, &r.customerCode}) q.addBindValue(Q(*text));
    q.addBindValue(static_cast<qlonglong>(r.total.Raw()));
    q.addBindValue(static_cast<qlonglong>(r.tax.Raw()));
    q.addBindValue(Q(r.registNo));
    q.addBindValue(QString::fromLatin1(ViaName(r.via)));
    for (const std::string* text : {&r.target, &r.source, &r.file, &r.sha256}) q.addBindValue(Q(*text));
    q.addBindValue(r.corrects ? QVariant(static_cast<qlonglong>(*r.corrects)) : QVariant());
    q.addBindValue(Q(r.previous));
    q.addBindValue(Q(r.hash));
    if (!q.exec()) fail(Qerror(q));
    if (WriteFaultInjected(WriteStep::Sync, IndexPath())) fail("書き込みに失敗しました");
    if (!q.exec(QStringLiteral("COMMIT"))) fail(Qerror(q));
    return r;
  } catch (const std::exception& e) {
    QSqlQuery rollback(db.db);
    rollback.exec(QStringLiteral("ROLLBACK"));
    // The PDF of a record that was not kept was never archived.
    if (!written.empty()) QFile::remove(Q(written));
    const std::string what = e.what();
    if (what.rfind("発行控えを保存できません", 0) == 0) throw;
    throw Error("発行控えを保存できません（" + what + "）");
  }
}

std::vector<IssuedRecord> IssueArchive::Find(const IssueFilter& f) const {
  Db& db = Open();
  QString sql = QStringLiteral("SELECT ") + QString::fromLatin1(kColumns) + QStringLiteral(" FROM issued WHERE 1 = 1");
  QVariantList values;
  if (f.from) {
    sql += QStringLiteral(" AND slip_date >= ?");
    values << f.from->toString(QString::fromLatin1(kDateFormat));
  }
  if (f.to) {
    sql += QStringLiteral(" AND slip_date <= ?");
    values << f.to->toString(QString::fromLatin1(kDateFormat));
  }
  if (f.min) {
    sql += QStringLiteral(" AND total >= ?");
    values << static_cast<qlonglong>(f.min->Raw());
  }
  if (f.max) {
    sql += QStringLiteral(" AND total <= ?");
    values << static_cast<qlonglong>(f.max->Raw());
  }
  if (!f.customer.empty()) {
    // instr, not LIKE: the text is taken as it is, % and _ included.
    sql += QStringLiteral(" AND instr(customer, ?) > 0");
    values << Q(f.customer);
  }
  if (f.kind) {
    sql += QStringLiteral(" AND kind = ?");
    values << static_cast<int>(*f.kind);
  }
  sql += QStringLiteral(" ORDER BY slip_date, id");
  QSqlQuery q(db.db);
  q.setForwardOnly(true);
  q.prepare(sql);
  for (const QVariant& v : values) q.addBindValue(v);
  if (!q.exec()) throw Error("発行控えを検索できません（" + Qerror(q) + "）");
  std::vector<IssuedRecord> out;
  while (q.next()) out.push_back(RecordOf(q));
  return out;
}

std::vector<IssuedRecord> IssueArchive::All() const {
  Db& db = Open();
  QSqlQuery q(db.db);
  q.setForwardOnly(true);
  if (!q.exec(QStringLiteral("SELECT ") + QString::fromLatin1(kColumns) + QStringLiteral(" FROM issued ORDER BY id")))
    throw Error("発行控えを読めません（" + Qerror(q) + "）");
  std::vector<IssuedRecord> out;
  while (q.next()) out.push_back(RecordOf(q));
  return out;
}

bool IssueArchive::Empty() const {
  if (!QFile::exists(Q(IndexPath()))) return true;
  QSqlQuery q(Open().db);
  return !(q.exec(QStringLiteral("SELECT 1 FROM issued LIMIT 1")) && q.next());
}

void IssueArchive::Close() { db_.reset(); }

VerifyResult IssueArchive::Verify() const {
  Db& db = Open();
  const std::vector<IssuedRecord> records = All();
  QSqlQuery q(db.db);
  q.exec(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = 'issued'"));
  std::int64_t last = q.next() ? q.value(0).toLongLong() : 0;
  if (!records.empty()) last = std::max(last, records.back().id);

  VerifyResult result;
  result.records = static_cast<int>(records.size());
  std::set<std::string> files;
  std::int64_t expected = 1;
  std::string previousHash;
  for (const IssuedRecord& r : records) {
    bool gap = false;
    for (; expected < r.id; ++expected) {
      result.bad.push_back({expected, kRecordDeleted});
      gap = true;
    }
    expected = r.id + 1;
    if (Sha256Hex(Canonical(r)) != r.hash) result.bad.push_back({r.id, kRecordAltered});
    else if (!gap && r.previous != previousHash) result.bad.push_back({r.id, kChainBroken});
    previousHash = r.hash;
    files.insert(r.file);
    const std::optional<std::string> sha = FileSha256(dataRoot_ + r.file);
    if (!sha) result.bad.push_back({r.id, kPdfMissing});
    else if (*sha != r.sha256) result.bad.push_back({r.id, kPdfAltered});
  }
  for (; expected <= last; ++expected) result.bad.push_back({expected, kRecordDeleted});

  // A PDF no record names: a deleted record's (already said) or one put there. The PDF of
  // an issue cut short before its record was kept carries a number past the last one.
  QDirIterator it(Q(folder_), {QStringLiteral("*.pdf")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    const std::string relative = "issued/" + QDir(Q(folder_)).relativeFilePath(path).toStdString();
    if (files.count(relative)) continue;
    const QString base = QFileInfo(path).completeBaseName();
    bool numbered = false;
    const std::int64_t id = base.mid(base.lastIndexOf('_') + 1).toLongLong(&numbered);
    if (numbered && id > last) continue;
    const bool said = numbered && std::any_of(result.bad.begin(), result.bad.end(), [&](const VerifyProblem& p) {
      return p.id == id && p.reason == kRecordDeleted;
    });
    if (!said) result.bad.push_back({0, std::string(kPdfWithoutRecord) + ": " + relative});
  }
  return result;
}

std::string IssuedCsv(const std::vector<IssuedRecord>& records) {
  std::string out = cp932::Encode(JoinCSV({"番号", "発行日時", "取引年月日", "書類", "伝票番号", "取引先", "取引先コード",
                                           "合計金額", "消費税", "登録番号", "発行方法", "出力先", "元の書類",
                                           "PDFファイル", "SHA-256", "訂正元"}))
                        .bytes +
                    "\r\n";
  for (const IssuedRecord& r : records) {
    out += cp932::Encode(JoinCSV({std::to_string(r.id), r.issuedAt.toString(kTimeFormat).toStdString(),
                                  r.slipDate.toString(kDateFormat).toStdString(), KindOf(r.kind).name, r.slipNo,
                                  r.customer, r.customerCode, r.total.ToDecimalText(), r.tax.ToDecimalText(),
                                  r.registNo, ViaName(r.via), r.target, r.source, r.file, r.sha256,
                                  r.corrects ? std::to_string(*r.corrects) : std::string()}))
               .bytes;
    out += "\r\n";
  }
  return out;
}

}  // namespace qm::archive
