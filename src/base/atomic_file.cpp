#include "base/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "base/error.h"

namespace qm {
namespace {

std::mutex g_hookMutex;
WriteFaultHook g_hook;

bool Injected(WriteStep step, const std::string& target) {
  WriteFaultHook hook;
  {
    const std::lock_guard lock(g_hookMutex);
    hook = g_hook;
  }
  return hook && hook(step, target);
}

[[noreturn]] void CannotWrite(const std::string& path, int error) {
  throw Error("ファイル " + path + " を作成できません（" + std::strerror(error) + "）");
}

// The file a path names: a symbolic link is followed to the file it points at, so the
// link stays a link.
std::string Resolved(const std::string& path) {
  const QFileInfo info(QString::fromStdString(path));
  return info.isSymLink() ? info.symLinkTarget().toStdString() : path;
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
  return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// A name no other writer picks at the same moment: the process, a counter and the clock.
std::string UniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  const auto now = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%x%x%llx", static_cast<unsigned>(::getpid()), counter.fetch_add(1),
                now & 0xffffffULL);
  return buffer;
}

// The temporary file of one write: closed and deleted unless the write went through.
class TempFile {
 public:
  // Holds a lock on the file until the write is over, renamed or not, so that the
  // removal of stale temporaries passes it by.
  TempFile(std::string path, std::FILE* file) : path_(std::move(path)), file_(file) {
    lock_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (lock_ >= 0) ::flock(lock_, LOCK_EX | LOCK_NB);
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (file_) std::fclose(file_);
    if (!renamed_) ::unlink(path_.c_str());
    if (lock_ >= 0) ::close(lock_);
  }
  std::FILE* File() const { return file_; }
  const std::string& Path() const { return path_; }
  // Closes the file; false with errno set when the last of its bytes could not be written.
  bool Close() {
    const int result = std::fclose(file_);
    file_ = nullptr;
    return result == 0;
  }
  void Renamed() { renamed_ = true; }

 private:
  std::string path_;
  std::FILE* file_;
  int lock_ = -1;
  bool renamed_ = false;
};

// The name of a temporary of WriteFileAtomically: "." + the target's name + "." + the
// unique suffix in lower-case hexadecimal digits + ".tmp".
bool IsTemporaryName(const std::string& name) {
  constexpr std::string_view kEnd = ".tmp";
  if (name.size() < 1 + 1 + 1 + 3 + kEnd.size() || name.front() != '.' || !name.ends_with(kEnd)) return false;
  const std::size_t end = name.size() - kEnd.size();
  const std::size_t dot = name.rfind('.', end - 1);
  if (dot == std::string::npos || dot < 2 || end - dot - 1 < 3) return false;
  for (std::size_t i = dot + 1; i < end; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i])) || std::isupper(static_cast<unsigned char>(name[i])))
      return false;
  return true;
}

// Makes a rename in `folder` last through a power cut; nothing is lost if it cannot.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

const char* WriteStepName(WriteStep step) {
  switch (step) {
    case WriteStep::Create: return "create";
    case WriteStep::Write: return "write";
    case WriteStep::Flush: return "flush";
    case WriteStep::Sync: return "sync";
    case WriteStep::Rename: return "rename";
  }
  return "?";
}

bool WriteFaultInjected(WriteStep step, const std::string& target) { return Injected(step, target); }

void SetWriteFaultHook(WriteFaultHook hook) {
  const std::lock_guard lock(g_hookMutex);
  g_hook = std::move(hook);
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string target = Resolved(path);
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
  // Hidden, and kept short enough for the file system whatever the target's name.
  const std::string stem = "." + target.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, 200) + ".";

  if (Injected(WriteStep::Create, path)) CannotWrite(path, EACCES);
  int fd = -1;
  std::string temp;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder + "/" + stem + UniqueSuffix() + ".tmp";
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) CannotWrite(path, errno);
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
  std::FILE* stream = ::fdopen(fd, "wb");
  if (!stream) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    CannotWrite(path, error);
  }
  TempFile file(temp, stream);

  if (Injected(WriteStep::Write, path)) {
    std::fwrite(bytes.data(), 1, bytes.size() / 2, file.File());
    CannotWrite(path, ENOSPC);
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.File()) != bytes.size()) CannotWrite(path, errno);
  if (Injected(WriteStep::Flush, path)) CannotWrite(path, ENOSPC);
  if (std::fflush(file.File()) != 0) CannotWrite(path, errno);
  if (Injected(WriteStep::Sync, path)) CannotWrite(path, EIO);
  if (::fsync(::fileno(file.File())) != 0) CannotWrite(path, errno);
  if (!file.Close()) CannotWrite(path, errno);
  if (Injected(WriteStep::Rename, path)) CannotWrite(path, EIO);
  if (::rename(file.Path().c_str(), target.c_str()) != 0) CannotWrite(path, errno);
  file.Renamed();
  SyncFolder(folder);
}

void CopyFileAtomically(const std::string& from, const std::string& to) { WriteFileAtomically(to, ReadWholeFile(from)); }

int RemoveStaleTemporaries(const std::string& folder, std::chrono::seconds age) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  const auto now = std::chrono::system_clock::now();
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!IsTemporaryName(name)) continue;
    const std::string path = JoinFolder(folder, name);
    // Not a link, not a folder; and no write may hold it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    struct stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    const auto modified = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec);
    if (regular && now - modified > age && ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  ::closedir(dir);
  return removed;
}

void MoveFile(const std::string& from, const std::string& to) {
  const auto fail = [&](int error) {
    throw Error("ファイル " + from + " を " + to + " に移せません（" + std::strerror(error) + "）");
  };
  if (Injected(WriteStep::Rename, to)) fail(EIO);
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return;
  if (errno != EINVAL && errno != ENOSYS) fail(errno);
  // A file system without a no-replace rename: look first, then rename.
  struct stat taken {};
  if (::lstat(to.c_str(), &taken) == 0) fail(EEXIST);
  if (::rename(from.c_str(), to.c_str()) != 0) fail(errno);
}

std::string ReadWholeFile(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly))
    throw Error("ファイル " + path + " を開けません（" + file.errorString().toStdString() + "）");
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Error("ファイル " + path + " を読み込めません（" + file.errorString().toStdString() + "）");
  return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

}  // namespace qm
