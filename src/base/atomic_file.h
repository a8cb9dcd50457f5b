#pragma once
// Whole-file reads and the one way this program writes a file: the bytes go to a new
// file beside the target, are flushed and synced to the disk, and that file is renamed
// over the target. A write that fails at any step, or a process killed at any moment,
// leaves the old file as it was, and a failed write leaves no temporary file behind.
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace qm {

// Throws qm::Error naming the file when it cannot be written; the old content stays.
// An existing target keeps its permissions; a symbolic link keeps pointing where it did,
// and the file it points at is the one replaced.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Writes a copy of `from` as `to` the same way: `to` appears whole or not at all.
void CopyFileAtomically(const std::string& from, const std::string& to);

// Renames `from` to `to`, which must not exist: a move within one file system, so the
// file is under one of its two names at every moment. Throws qm::Error naming both.
void MoveFile(const std::string& from, const std::string& to);

// Throws qm::Error naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Removes from `folder` the temporaries of writes that never finished (a program killed
// half-way): files named as WriteFileAtomically names them (".NAME.<hex>.tmp"), not
// changed for longer than `age`, that no running write holds. Anything else stays.
// Answers how many were removed; a folder that cannot be read removes none.
inline constexpr std::chrono::minutes kStaleTemporaryAge{10};
int RemoveStaleTemporaries(const std::string& folder, std::chrono::seconds age = kStaleTemporaryAge);

// The steps of a write, in their order.
enum class WriteStep { Create, Write, Flush, Sync, Rename };
const char* WriteStepName(WriteStep step);

// For tests: called before each step of every write (and the rename of MoveFile) with
// the step and the target's path. Answering true makes that step fail as the system
// would (a write fails after writing half of its bytes). An empty hook, the default,
// lets every step run.
using WriteFaultHook = std::function<bool(WriteStep step, const std::string& target)>;
void SetWriteFaultHook(WriteFaultHook hook);
// What the hook answers, for the few files that are not written through this path (the
// archive's database), so that tests fail their writes the same way.
bool WriteFaultInjected(WriteStep step, const std::string& target);

}  // namespace qm
