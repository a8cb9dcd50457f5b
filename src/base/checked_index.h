#pragma once
// Index into a fixed array of settings (seal boxes, bank accounts, company profiles),
// with a message instead of undefined behaviour when the index is out of range.
#include <array>
#include <string>

#include "base/error.h"

namespace qm {

template <typename T, std::size_t N>
T& CheckedAt(std::array<T, N>& items, int index, const char* what) {
  if (index < 0 || static_cast<std::size_t>(index) >= N)
    throw Error(std::string(what) + "の番号 " + std::to_string(index) + " は範囲外です。");
  return items[static_cast<std::size_t>(index)];
}

template <typename T, std::size_t N>
const T& CheckedAt(const std::array<T, N>& items, int index, const char* what) {
  return CheckedAt(const_cast<std::array<T, N>&>(items), index, what);
}

}  // namespace qm
