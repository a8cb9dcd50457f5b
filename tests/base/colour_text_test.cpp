#include "base/colour_text.h"

#include <gtest/gtest.h>

TEST(ColourText, NamedColoursAreWrittenByNameOthersAsDollarHex) {
  struct Case {
    qm::TColor value;
    const char* text;
  } cases[] = {
      {0x000000, "clBlack"},     {0x0000FF, "clRed"},     {0x800000, "clNavy"},   {0xFFFFFF, "clWhite"},
      {0xF0CAA6, "clSkyBlue"},   {0xC0DCC0, "clMoneyGreen"}, {0xF0FBFF, "clCream"}, {0xA4A0A0, "clMedGray"},
      {0xF0CAA7, "$00F0CAA7"},   {0x000001, "$00000001"}, {0x12ABCDEF, "$12ABCDEF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(qm::ColorToText(c.value), c.text);
    EXPECT_EQ(qm::TextToColor(c.text), c.value) << c.text;
  }
}

TEST(ColourText, ReadsNamesSystemColoursHexAndDecimal) {
  struct Case {
    const char* text;
    std::optional<qm::TColor> value;
  } cases[] = {
      {"clwhite", 0xFFFFFF},     {"CLNAVY", 0x800000},    {"clBtnFace", 0xF0F0F0},  {"clWindow", 0xFFFFFF},
      {"clWindowText", 0x000000}, {"clHighlight", 0xFF9933}, {"$00ff0000", 0xFF0000}, {"0x0000FF", 0x0000FF},
      {"15780518", 0xF0CAA6},    {" 255 ", 0x0000FF},     {"-16777201", 0xFF00000F},
      {"", std::nullopt},        {"clNoSuchColour", std::nullopt}, {"$", std::nullopt}, {"$123456789", std::nullopt},
      {"0x", std::nullopt},      {"12a", std::nullopt},   {"4294967296", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(qm::TextToColor(c.text), c.value) << c.text;
  EXPECT_EQ(qm::ColorRed(0xF0CAA6), 0xA6);
  EXPECT_EQ(qm::ColorGreen(0xF0CAA6), 0xCA);
  EXPECT_EQ(qm::ColorBlue(0xF0CAA6), 0xF0);
}
