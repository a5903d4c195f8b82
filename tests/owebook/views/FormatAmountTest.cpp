#include "owebook/views/Formatting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <limits>

namespace {

struct AmountCase {
    double value;
    int decimals;
    const char* shown;
};

void PrintTo(const AmountCase& c, std::ostream* os) { *os << c.value << "@" << c.decimals; }

class FormatAmountTest : public testing::TestWithParam<AmountCase> {};

TEST_P(FormatAmountTest, ShowsTheAmountAsTheUserReadsIt)
{
    const AmountCase& c = GetParam();
    CString text(u"previous");
    FormatAmount(c.value, c.decimals, text);
    EXPECT_EQ(text.ToUtf8(), c.shown) << "value " << c.value << ", decimals " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, FormatAmountTest,
    testing::Values(
        // Trailing zeros and a bare point go; what rounds to zero shows nothing.
        AmountCase{1.0, 2, "1"}, AmountCase{12.5, 2, "12.5"}, AmountCase{12.25, 2, "12.25"},
        AmountCase{100.0, 2, "100"}, AmountCase{0.0, 2, ""}, AmountCase{0.004, 2, ""},
        AmountCase{-0.001, 2, ""}, AmountCase{-2.5, 2, "-2.5"}, AmountCase{-0.0, 2, ""},
        AmountCase{1000000.105, 2, "1000000.1"}, AmountCase{2.675, 2, "2.67"},
        // Without places the library's rounding stands, zero included.
        AmountCase{0.0, 0, "0"}, AmountCase{12.7, 0, "13"}, AmountCase{-0.2, 0, "-0"},
        AmountCase{10.0, 0, "10"},
        // Values a record written elsewhere may hold.
        AmountCase{std::numeric_limits<double>::infinity(), 2, "inf"},
        AmountCase{-std::numeric_limits<double>::infinity(), 2, "-inf"},
        AmountCase{1e15 + 0.5, 2, "1000000000000000.5"},
        // Out-of-range places are clamped instead of breaking the format.
        AmountCase{3.5, -4, "4"}, AmountCase{1.25, 40, "1.25"}));

TEST(FormatAmount, NanHasNoPointAndStaysAsFormatted)
{
    CString text;
    FormatAmount(std::nan(""), 2, text);
    EXPECT_NE(text.Find(u"nan"), -1);
}

}  // namespace
