#pragma once
// A PDF template page built from its description (a JSON resource ":/pdf/<page>.json"):
// one TPRPage with one layout panel at left 14 and the page's size, holding the labels,
// texts, rectangles and images of the description. Items are found by name; Reset puts
// every item back as described, so nothing filled for one page survives into the next.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/colour_text.h"
#include "base/error.h"
#include "pdf/report.h"

namespace qm::pdf {

class TemplatePage {
 public:
  // The page of the compiled-in description `name` ("PRPageTateMitsuFirstPage"), or of
  // a description given as JSON text. Throws qm::Error naming what is wrong.
  static std::unique_ptr<TemplatePage> Load(const std::string& name);
  static std::unique_ptr<TemplatePage> FromJson(std::string_view json);
  ~TemplatePage();

  const std::string& Name() const { return page_->Name(); }
  TPRPage& Page() { return *page_; }
  TPRLayoutPanel& Panel() { return *panel_; }
  // Every item in the order the description lists them (later items print over earlier).
  const std::vector<TPRItem*>& Items() const { return items_; }

  // The item of that name and kind; Find answers null when there is none, Must throws
  // qm::Error naming the item.
  template <class T>
  T* Find(const std::string& name) const {
    const auto it = index_.find(name);
    return it == index_.end() ? nullptr : dynamic_cast<T*>(it->second);
  }
  template <class T>
  T& Must(const std::string& name) const {
    if (T* item = Find<T>(name)) return *item;
    throw Error("PDF テンプレート " + Name() + " に項目 " + name + " がありません。");
  }

  // Every item as described: position, size, printable, caption, lines, font size, no
  // picture.
  void Reset();
  // The band colours of the operating settings: bands marked "odd" take `odd`, "even"
  // `even`, and row bands alternate, even rows `odd` and odd rows `even`.
  void ApplyBandColours(TColor odd, TColor even);

 private:
  struct Described;
  TemplatePage();
  void Add(std::unique_ptr<TPRItem> item, Described described);

  std::unique_ptr<TPRPage> page_;
  TPRLayoutPanel* panel_ = nullptr;
  std::vector<TPRItem*> items_;
  std::vector<Described> described_;
  std::unordered_map<std::string, TPRItem*> index_;
};

}  // namespace qm::pdf
