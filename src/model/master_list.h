#pragma once
// An ordered list of master records it owns, and whether its file was read whole.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/error.h"
#include "model/master_file.h"

namespace qm {

// What every master list knows about its last load. After a load that stopped
// part-way the list holds only the records before the fault; saving it would cut the
// file short, so saving is refused until the caller has told the user and calls
// AcknowledgeIncompleteLoad(), or a later load reads a file whole.
class MasterLoadState {
 public:
  bool LoadedWhole() const { return !FIncomplete; }
  // Why the last load stopped; empty when the list loaded whole.
  const std::string& IncompleteLoadMessage() const { return FIncompleteMessage; }
  void AcknowledgeIncompleteLoad();

 protected:
  void MarkIncomplete(const std::string& fileName, const std::string& message);
  void MarkWhole();
  // Throws qm::Error naming the file that was read in part.
  void RequireLoadedWhole() const;
  static void CheckIndex(int index, int count);

 private:
  bool FIncomplete = false;
  std::string FIncompleteFile;
  std::string FIncompleteMessage;
};

template <class T>
class MasterList : public MasterLoadState {
 public:
  int Count() const { return static_cast<int>(FItems.size()); }
  // Appends and takes ownership; returns the index.
  int Add(std::unique_ptr<T> object) {
    RequireObject(object);
    FItems.push_back(std::move(object));
    return Count() - 1;
  }
  T& Items(int index) { return *FItems[Checked(index)]; }
  const T& Items(int index) const { return *FItems[Checked(index)]; }
  // Puts `object` at `index` and hands the one it replaced back.
  std::unique_ptr<T> SetItems(int index, std::unique_ptr<T> object) {
    RequireObject(object);
    std::swap(FItems[Checked(index)], object);
    return object;
  }
  // `index` may be Count() to append.
  void Insert(int index, std::unique_ptr<T> object) {
    RequireObject(object);
    if (index != Count()) Checked(index);
    FItems.insert(FItems.begin() + index, std::move(object));
  }
  void Delete(int index) { FItems.erase(FItems.begin() + static_cast<std::ptrdiff_t>(Checked(index))); }
  // The index of this very object (not of an equal one), or -1.
  int IndexOf(const T* object) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
      if (FItems[i].get() == object) return static_cast<int>(i);
    return -1;
  }
  // Puts the records in the order `order` gives: order[k] is the index of the record
  // that goes to position k (a permutation of 0 … Count() − 1). The records themselves
  // stay, so pointers to them stay valid.
  void Reorder(const std::vector<int>& order) {
    if (order.size() != FItems.size()) throw Error("並べ替えの順序が一覧と合いません。");
    std::vector<std::unique_ptr<T>> sorted;
    sorted.reserve(FItems.size());
    for (int index : order) {
      std::unique_ptr<T>& from = FItems[Checked(index)];
      if (!from) throw Error("並べ替えの順序が一覧と合いません。");
      sorted.push_back(std::move(from));
    }
    FItems = std::move(sorted);
  }
  // Frees every record. The load state stays: an emptied list must not replace a file
  // that was read in part either.
  void Clear() { FItems.clear(); }

 protected:
  MasterList() = default;

  // Appends parse(line) for every line of the file; a null result stops loading with
  // an error naming the file, the line and `shortReason`. Records before the fault
  // stay. A load marks the list whole only when it started empty.
  template <class Parse>
  void LoadLines(const std::string& fileName, std::string_view shortReason, Parse parse) {
    const bool startedEmpty = FItems.empty();
    try {
      const std::vector<std::string> lines = ReadMasterLines(fileName);
      FItems.reserve(FItems.size() + lines.size());
      for (std::size_t i = 0; i < lines.size(); ++i) {
        std::unique_ptr<T> object = parse(lines[i]);
        if (!object) throw Error(masters_msg::UnreadableLine(fileName, static_cast<int>(i + 1), shortReason));
        FItems.push_back(std::move(object));
      }
    } catch (const Error& e) {
      MarkIncomplete(fileName, e.what());
      throw;
    }
    if (startedEmpty) MarkWhole();
  }

 private:
  std::size_t Checked(int index) const {
    CheckIndex(index, Count());
    return static_cast<std::size_t>(index);
  }
  static void RequireObject(const std::unique_ptr<T>& object) {
    if (!object) throw Error("空のデータは一覧に加えられません。");
  }

  std::vector<std::unique_ptr<T>> FItems;
};

}  // namespace qm
