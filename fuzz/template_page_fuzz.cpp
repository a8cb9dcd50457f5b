// Fuzz target for the PDF template descriptions (TemplatePage::FromJson). A description is
// refused with qm::Error or built; a built page has every item under its own name, within
// the page's bounds of size, and Reset puts back what it was built with, also after the
// items were moved, filled and coloured. Anything else aborts.
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"
#include "fuzz_target.h"
#include "pdf/template_page.h"

namespace {

bool g_accepted = false;

[[noreturn]] void Fail(const std::string& what) { FuzzFail("template_page_fuzz", what); }

struct Placed {
  int left, top, width, height;
  std::string caption;
  double fontSize;
};

Placed PlacedOf(const qm::pdf::TPRItem& item) {
  Placed p{item.Left, item.Top, item.Width, item.Height, {}, 0};
  if (const auto* label = dynamic_cast<const qm::pdf::TPRLabel*>(&item)) {
    p.caption = label->Caption;
    p.fontSize = label->FontSize;
  } else if (const auto* text = dynamic_cast<const qm::pdf::TPRText*>(&item)) {
    p.fontSize = text->FontSize;
  }
  return p;
}

bool operator==(const Placed& a, const Placed& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height &&
         a.caption == b.caption && a.fontSize == b.fontSize;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

bool FuzzLastInputAccepted() { return g_accepted; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view json(reinterpret_cast<const char*>(data), size);
  g_accepted = false;
  std::unique_ptr<qm::pdf::TemplatePage> page;
  try {
    page = qm::pdf::TemplatePage::FromJson(json);
  } catch (const qm::Error&) {
    return 0;
  }
  g_accepted = true;
  const int width = page->Page().Width, height = page->Page().Height;
  if (width < 1 || height < 1 || width > 14400 || height > 14400) Fail("a page size out of bounds was taken");

  std::vector<Placed> built;
  for (const qm::pdf::TPRItem* item : page->Items()) {
    if (page->Find<qm::pdf::TPRItem>(item->Name()) != item) Fail("an item is not found under its own name");
    if (item->Width < 0 || item->Height < 0) Fail("an item has a negative size");
    if (item->Width > 14400 || item->Height > 14400 || item->Left > 14400 || item->Top > 14400 ||
        item->Left < -14400 || item->Top < -14400)
      Fail("an item lies out of bounds");
    if (!item->Printable) Fail("a built item is not printable");
    built.push_back(PlacedOf(*item));
  }

  // Move, fill and hide everything, colour the bands, then put it all back.
  for (qm::pdf::TPRItem* item : page->Items()) {
    item->Left += 7;
    item->Top -= 3;
    item->Width = 1;
    item->Printable = false;
    if (auto* label = dynamic_cast<qm::pdf::TPRLabel*>(item)) {
      label->Caption = "filled";
      label->FontSize = 99;
    } else if (auto* text = dynamic_cast<qm::pdf::TPRText*>(item)) {
      text->Lines.push_back("filled");
    }
  }
  page->ApplyBandColours(0x123456, 0x654321);
  page->Reset();
  for (std::size_t i = 0; i < built.size(); ++i) {
    const qm::pdf::TPRItem& item = *page->Items()[i];
    if (!(PlacedOf(item) == built[i]) || !item.Printable) Fail("Reset did not put an item back as built");
    if (const auto* text = dynamic_cast<const qm::pdf::TPRText*>(&item); text && !text->Lines.empty())
      Fail("Reset left a text's lines");
  }
  return 0;
}
