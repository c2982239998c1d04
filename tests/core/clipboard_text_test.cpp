#include "output/ClipboardText.h"

#include <gtest/gtest.h>

namespace {

ResultList listOf(std::initializer_list<const char*> lines)
{
    ResultList list;
    for (const char* line : lines)
        list.add(QString::fromUtf8(line));
    return list;
}

} // namespace

TEST(ClipboardText, SelectedLinesOfOneOrBothListsEndWithCrLfLeftListFirst)
{
    ResultList left
        = listOf({"Num Sorti Ecart  EcartMax", " 01   120    3     25", " 02   118    0     31", " 03   101   12     40"});
    ResultList right = listOf({"Num Sorti Ecart  EcartMax", " 36   130    1     22", " 37    99    7     35"});

    // Nothing selected: an empty text, not a lone line end.
    EXPECT_EQ(ClipboardText::selectedLines(left, right), QString());

    // Only the left list, in list order whatever order the clicks came in.
    left.setSelected(3, true);
    left.setSelected(1, true);
    EXPECT_EQ(ClipboardText::selectedLines(left, right), QStringLiteral(" 01   120    3     25\r\n 03   101   12     40\r\n"));

    // Both lists: the right one continues the same text.
    right.setSelected(2, true);
    right.setSelected(0, true);
    EXPECT_EQ(ClipboardText::selectedLines(left, right),
              QStringLiteral(" 01   120    3     25\r\n 03   101   12     40\r\n"
                             "Num Sorti Ecart  EcartMax\r\n 37    99    7     35\r\n"));

    // Only the right list, hidden or not, and accents kept as they are.
    ResultList plain = listOf({"Numéro 07 : écart 12"});
    plain.visible = false;
    plain.setSelected(0, true);
    EXPECT_EQ(ClipboardText::selectedLines(ResultList{}, plain), QStringLiteral("Numéro 07 : écart 12\r\n"));
    // An empty line that is selected still gives its line end.
    ResultList blank = listOf({""});
    blank.setSelected(0, true);
    EXPECT_EQ(ClipboardText::selectedLines(blank, ResultList{}), QStringLiteral("\r\n"));
}
