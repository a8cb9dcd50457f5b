#pragma once
// Checks of a settings file's key table against a hand-written list of keys: each key
// with the value the committed fixture gives it and the accessors of the field it must
// reach. Round trips alone miss a key wired to the wrong field, since both directions
// go wrong together; these checks do not.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/ini_file.h"

namespace qmtest {

template <class T>
struct KeyCase {
  const char* key;
  std::string value;                                 // the fixture's text of the key
  std::function<void(T&, const std::string&)> set;   // sets the field from that text
  std::function<std::string(const T&)> get;          // the field as that text
};

// A key whose field is reached through its accessor pair (Name() / SetName(v)).
template <class T>
KeyCase<T> TextKey(const char* key, std::string value, void (T::*set)(std::string),
                   const std::string& (T::*get)() const) {
  return {key, std::move(value), [set](T& o, const std::string& v) { (o.*set)(v); },
          [get](const T& o) { return (o.*get)(); }};
}
template <class T>
KeyCase<T> FlagKey(const char* key, std::string value, void (T::*set)(bool), const bool& (T::*get)() const) {
  return {key, std::move(value), [set](T& o, const std::string& v) { (o.*set)(v == "1"); },
          [get](const T& o) { return std::string((o.*get)() ? "1" : "0"); }};
}
// The same for a plain field.
template <class T>
KeyCase<T> TextKey(const char* key, std::string value, std::string T::*field) {
  return {key, std::move(value), [field](T& o, const std::string& v) { o.*field = v; },
          [field](const T& o) { return o.*field; }};
}
template <class T>
KeyCase<T> FlagKey(const char* key, std::string value, bool T::*field) {
  return {key, std::move(value), [field](T& o, const std::string& v) { o.*field = v == "1"; },
          [field](const T& o) { return std::string(o.*field ? "1" : "0"); }};
}

// The committed fixture in tests/data, as bytes.
std::string Fixture(const std::string& name);

// The keys of one section and their values.
std::map<std::string, std::string> SectionValues(const qm::IniFile& ini, const std::string& section);

// The keys whose values differ between two sections (keys missing on one side count).
std::vector<std::string> ChangedKeys(const std::map<std::string, std::string>& before,
                                     const std::map<std::string, std::string>& after);

}  // namespace qmtest
