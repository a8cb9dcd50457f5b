#include "print/text_primitives.h"

#include <gtest/gtest.h>

TEST(TextPrimitives, SizesInPointsBecomeCellsInDots) {
  // 10 points at 600 dpi: a cell of 83 dots; "御見積書" is four double-byte characters.
  EXPECT_EQ(qm::GetCharHeight("x", 10, 600), 83);
  EXPECT_EQ(qm::GetCharWidth("御見積書", 10, 600), 4 * 83);
  EXPECT_EQ(qm::GetCharWidth("No.1", 10, 600), 4 * 83 / 2);  // 166
  EXPECT_EQ(qm::GetCharWidth("1,500", 9, 300), 5 * 38 / 2);  // 9 pt at 300 dpi: 37.5 -> 38
  EXPECT_EQ(qm::CentredX("御見積書", 10, 600, 100, 1000), 100 + 500 - 166);
  EXPECT_EQ(qm::RightAlignedX("1,500", 10, 600, 2000), 2000 - 207);
}

TEST(TextPrimitives, PrintTextKeepsTheCallersStyle) {
  qm::PageImage page(1000, 1000, 600);
  page.SetFont(10, true, false, 0x0000FF);
  qm::PrintText(page, 12, 30, 40, "見積", 600);
  qm::PrintText(page, 8, 30, 200, "A", 600);
  ASSERT_EQ(page.Ops().size(), 2u);
  EXPECT_EQ(page.Ops()[0].fontHeight, 100);
  EXPECT_TRUE(page.Ops()[0].bold);
  EXPECT_EQ(page.Ops()[0].fontColour, 0x0000FFu);
  EXPECT_EQ(page.Ops()[0].from, QPoint(30, 40));
  EXPECT_EQ(page.Ops()[1].fontHeight, 67);  // 66.67
  EXPECT_TRUE(page.Ops()[1].bold);
}
