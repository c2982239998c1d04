// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ClipboardText.h"

#include <gtest/gtest.h>

namespace {

// A list of these lines, those at `clicked` selected in that order.
ResultList listOf(std::initializer_list<const char*> lines, std::initializer_list<int> clicked = {})
{
    ResultList list;
    for (const char* line : lines)
        list.add(QString::fromUtf8(line));
    for (int i : clicked)
        list.setSelected(i, true);
    return list;
}

} // namespace

TEST(ClipboardText, SelectedLinesOfOneOrBothListsEndWithCrLfLeftListFirst)
{
    const auto left = [](std::initializer_list<int> clicked) {
        return listOf({"Num Sorti Ecart  EcartMax", " 01   120    3     25", " 02   118    0     31", " 03   101   12     40"},
                      clicked);
    };
    const auto right = [](std::initializer_list<int> clicked) {
        return listOf({"Num Sorti Ecart  EcartMax", " 36   130    1     22", " 37    99    7     35"}, clicked);
    };
    // Nothing selected: an empty text, not a lone line end.
    EXPECT_EQ(ClipboardText::selectedLines(left({}), right({})), QString());
    // Only the left list, in list order whatever order the clicks came in.
    EXPECT_EQ(ClipboardText::selectedLines(left({3, 1}), right({})),
              QStringLiteral(" 01   120    3     25\r\n 03   101   12     40\r\n"));
    // Both lists: the right one continues the same text.
    EXPECT_EQ(ClipboardText::selectedLines(left({3, 1}), right({2, 0})),
              QStringLiteral(" 01   120    3     25\r\n 03   101   12     40\r\n"
                             "Num Sorti Ecart  EcartMax\r\n 37    99    7     35\r\n"));

    // Only the right list, hidden or not, and accents kept as they are.
    ResultList plain = listOf({"Numéro 07 : écart 12"}, {0});
    plain.visible = false;
    EXPECT_EQ(ClipboardText::selectedLines(ResultList{}, plain), QStringLiteral("Numéro 07 : écart 12\r\n"));
    // An empty line that is selected still gives its line end.
    EXPECT_EQ(ClipboardText::selectedLines(listOf({""}, {0}), ResultList{}), QStringLiteral("\r\n"));
}
