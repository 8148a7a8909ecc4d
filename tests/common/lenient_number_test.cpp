#include "common/failure.h"
#include "common/lenient_number.h"

#include "support/temp_folder.h"

#include <QFileInfo>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace vexlo {
namespace {

struct NumberCase {
    const char *text;
    double value;
};

class LenientNumberCases : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LenientNumberCases, ReadsTheLongestLeadingNumber)
{
    const NumberCase c = GetParam();
    EXPECT_DOUBLE_EQ(LenientNumber(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LenientNumberCases,
    ::testing::Values(NumberCase{"12", 12}, NumberCase{"12 tiles", 12}, NumberCase{" -3", -3},
                      NumberCase{"abc", 0}, NumberCase{"", 0}, NumberCase{"   ", 0},
                      NumberCase{"2.5", 2.5}, NumberCase{".5", 0.5}, NumberCase{"1.2.3", 1.2},
                      NumberCase{"+7", 7}, NumberCase{"-", 0}, NumberCase{"007", 7},
                      // blanks inside a number are ignored
                      NumberCase{"1 2 3", 123}, NumberCase{"- 3", -3}, NumberCase{"1 . 5", 1.5},
                      // exponents with E or D, in either case; a bare E ends the number
                      NumberCase{"1.5E2", 150}, NumberCase{"1.5e2", 150}, NumberCase{"15D-1", 1.5},
                      NumberCase{"2E", 2}, NumberCase{"2E+", 2}, NumberCase{"2Ex", 2},
                      // hexadecimal and octal after an ampersand
                      NumberCase{"&HFF", 255}, NumberCase{"&hff", 255}, NumberCase{"&H7FFFFFFF", 2147483647.0},
                      NumberCase{"&O17", 15}, NumberCase{"&o8", 0}, NumberCase{"&HG", 0},
                      NumberCase{"&", 0}, NumberCase{"&X12", 0}, NumberCase{"-&H10", -16},
                      NumberCase{"12ab", 12}, NumberCase{"1,2", 1}, NumberCase{"\t4", 4}));

TEST(LenientNumber, ExtremeTextsGiveInfiniteOrHugeValuesWithoutFailing)
{
    EXPECT_TRUE(std::isinf(LenientNumber(u"1E400")));
    EXPECT_EQ(LenientNumber(u"1E-400"), 0);
    EXPECT_EQ(LenientNumber(u"NaN"), 0);
    EXPECT_EQ(LenientNumber(u"inf"), 0);
    EXPECT_GT(LenientNumber(QString(400, u'9')), 1e300);
    EXPECT_TRUE(std::isinf(LenientNumber(QStringLiteral("&H") + QString(400, QChar(u'F')))));
}

// The program runs in the user's locale, and many write decimals with a
// comma; a number text always has a point. The C library's numbers are
// switched to such a locale, made here from a definition of its own.
TEST(LenientNumber, ReadsAPointWhateverTheUsersLocaleWrites)
{
    test::TempFolder folder;
    folder.write(QStringLiteral("comma.def"),
                 "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-c"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                                                  QStringLiteral("-i"), folder.file(QStringLiteral("comma.def")),
                                                  folder.file(QStringLiteral("comma"))});
    if (!localedef.waitForFinished() || !QFileInfo(folder.file(QStringLiteral("comma/LC_NUMERIC"))).exists())
        GTEST_SKIP() << "localedef cannot make a locale here (Debian package locales)";
    // Put back however the test ends, so the tests after it read numbers as ever.
    struct LocaleRestorer {
        std::string before = std::setlocale(LC_NUMERIC, nullptr);
        ~LocaleRestorer()
        {
            std::setlocale(LC_NUMERIC, before.c_str());
            unsetenv("LOCPATH");
        }
    } restorer;
    setenv("LOCPATH", folder.path().toLocal8Bit().constData(), 1);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "comma"), nullptr);
    ASSERT_EQ(std::strtod("2.5", nullptr), 2.0) << "the locale writes decimals with a comma";

    EXPECT_EQ(LenientNumber(u"2.5"), 2.5);
    EXPECT_EQ(LenientNumber(u"-1 . 5"), -1.5);
    EXPECT_EQ(LenientNumber(u".5"), 0.5);
    EXPECT_EQ(LenientNumber(u"1.5E2"), 150);
    EXPECT_EQ(LenientNumber(u"2,5"), 2) << "a comma ends the number as ever";
    EXPECT_EQ(ToInt16(LenientNumber(u"3.5")), 4);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
}

TEST(CheckedConversion, SixteenBitRangeEndsExactlyAtItsLimits)
{
    EXPECT_EQ(ToInt16(32767), 32767);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_EQ(ToInt16(32766.5), 32766);
    EXPECT_THROW(ToInt16(32767.5), Failure); // the even neighbour is 32768
}

TEST(CheckedConversion, OverflowsFailWithTheOverflowDescription)
{
    auto overflows16 = [](double v) {
        try {
            ToInt16(v);
        } catch (const Failure &failure) {
            return failure.description() == QStringLiteral("Overflow");
        }
        return false;
    };
    EXPECT_TRUE(overflows16(32768));
    EXPECT_TRUE(overflows16(-32769));
    EXPECT_TRUE(overflows16(-32768.6));
    EXPECT_TRUE(overflows16(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE(overflows16(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(overflows16(-32768.5)); // rounds to the even -32768

    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(ToInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(ToInt32(2147483648.0), Failure);
    EXPECT_THROW(ToInt32(-2147483649.0), Failure);
    EXPECT_THROW(ToInt32(LenientNumber(u"1E400")), Failure);
    EXPECT_THROW(ToInt32(LenientNumber(u"-&H80000001")), Failure);
    EXPECT_EQ(ToInt32(LenientNumber(u"-&H80000000")), std::numeric_limits<std::int32_t>::min());
}

} // namespace
} // namespace vexlo
