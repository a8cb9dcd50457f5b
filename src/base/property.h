#pragma once
// A private field F<Name> with the accessor pair Name() / SetName(v), for the settings
// objects whose many fields would otherwise repeat the same two lines each.
#include <utility>

#define QM_PROPERTY(Type, Name)                         \
 public:                                                \
  const Type& Name() const { return F##Name; }          \
  void Set##Name(Type value) { F##Name = std::move(value); } \
                                                        \
 private:                                               \
  Type F##Name {}
