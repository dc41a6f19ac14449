#include "platform/Convert.h"
#include "platform/Format.h"

#include <gtest/gtest.h>

using vb::Format;

namespace {

class FormatTest : public ::testing::Test {
protected:
    void SetUp() override { m_old = vb::DecimalSeparator(); vb::SetDecimalSeparator(QStringLiteral(",")); }
    void TearDown() override { vb::SetDecimalSeparator(m_old); }
    QString m_old;
};

TEST_F(FormatTest, IntegerPicturesRoundHalvesAwayFromZero)
{
    EXPECT_EQ(Format(12345.6, QStringLiteral("####0")), QStringLiteral("12346"));
    EXPECT_EQ(Format(2.5, QStringLiteral("####0")), QStringLiteral("3"));
    EXPECT_EQ(Format(-2.5, QStringLiteral("####0")), QStringLiteral("-3"));
    EXPECT_EQ(Format(0.4, QStringLiteral("####0")), QStringLiteral("0"));
    EXPECT_EQ(Format(0.5, QStringLiteral("#0")), QStringLiteral("1"));
    EXPECT_EQ(Format(1234567.0, QStringLiteral("#0")), QStringLiteral("1234567"));
    EXPECT_EQ(Format(7.0, QStringLiteral("000")), QStringLiteral("007"));
    EXPECT_EQ(Format(1234567.0, QStringLiteral("#,##0")), QStringLiteral("1.234.567"));
}

TEST_F(FormatTest, DecimalPicturesUseTheSessionSeparator)
{
    EXPECT_EQ(Format(12.345, QStringLiteral("###0.0#")), QStringLiteral("12,35"));
    EXPECT_EQ(Format(12.3, QStringLiteral("###0.0#")), QStringLiteral("12,3"));
    EXPECT_EQ(Format(12.0, QStringLiteral("###0.0#")), QStringLiteral("12,0"));
    EXPECT_EQ(Format(0.05, QStringLiteral("#0.0")), QStringLiteral("0,1"));
    EXPECT_EQ(Format(-1.25, QStringLiteral("#0.0")), QStringLiteral("-1,3"));
    EXPECT_EQ(Format(3.14159, QStringLiteral("#0.00")), QStringLiteral("3,14"));
    EXPECT_EQ(Format(2.00005, QStringLiteral("#0.0000")), QStringLiteral("2,0001"));
    EXPECT_EQ(Format(99.96, QStringLiteral("#0.0")), QStringLiteral("100,0"));
    // a value that rounds to zero shows no sign
    EXPECT_EQ(Format(-0.04, QStringLiteral("#0.0")), QStringLiteral("0,0"));
    // singles are seen with their 7 digits: 0.15f is 0.15, not 0.1499...
    EXPECT_EQ(Format(0.15f, QStringLiteral("#0.0")), QStringLiteral("0,2"));
    EXPECT_EQ(Format(0.5, QStringLiteral("#.##")), QStringLiteral(",5"));
    EXPECT_EQ(Format(10.0, QStringLiteral("#.##")), QStringLiteral("10,"));
    vb::SetDecimalSeparator(QStringLiteral("."));
    EXPECT_EQ(Format(12.345, QStringLiteral("###0.0#")), QStringLiteral("12.35"));
    EXPECT_EQ(Format(1234567.0, QStringLiteral("#,##0")), QStringLiteral("1,234,567"));
}

TEST_F(FormatTest, ScientificPicturesCarryRoundingIntoTheExponent)
{
    EXPECT_EQ(Format(5E-10, QStringLiteral("0E-##")), QStringLiteral("5E-10"));
    EXPECT_EQ(Format(1E-5, QStringLiteral("0E-##")), QStringLiteral("1E-5"));
    EXPECT_EQ(Format(9.6E-6, QStringLiteral("0E-##")), QStringLiteral("1E-5"));
    EXPECT_EQ(Format(0.00015, QStringLiteral("0E-##")), QStringLiteral("2E-4"));
    EXPECT_EQ(Format(1.0, QStringLiteral("0E-##")), QStringLiteral("1E0"));
    EXPECT_EQ(Format(2500.0, QStringLiteral("0E-##")), QStringLiteral("3E3"));
    EXPECT_EQ(Format(1E-10f, QStringLiteral("0E-##")), QStringLiteral("1E-10"));
    EXPECT_EQ(Format(1.25E-7, QStringLiteral("0.0E-##")), QStringLiteral("1,3E-7"));
    EXPECT_EQ(Format(9.96, QStringLiteral("0.0E-##")), QStringLiteral("1,0E1"));
    EXPECT_EQ(Format(0.0, QStringLiteral("0.0E-##")), QStringLiteral("0,0E0"));
    EXPECT_EQ(Format(-3.2E-8, QStringLiteral("0.0E-##")), QStringLiteral("-3,2E-8"));
    EXPECT_EQ(Format(1234.0, QStringLiteral("0.00E+00")), QStringLiteral("1,23E+03"));
}

TEST_F(FormatTest, SectionsLiteralsAndOddValues)
{
    EXPECT_EQ(Format(-5.0, QStringLiteral("0;(0)")), QStringLiteral("(5)"));
    EXPECT_EQ(Format(0.0, QStringLiteral("0;(0);\"null\"")), QStringLiteral("null"));
    EXPECT_EQ(Format(0.25, QStringLiteral("0%")), QStringLiteral("25%"));
    EXPECT_EQ(Format(12.0, QStringLiteral("\"n = \"#0")), QStringLiteral("n = 12"));
    EXPECT_EQ(Format(1.5, QString()), QStringLiteral("1,5"));
    EXPECT_EQ(Format(1E-05f, QString()), QStringLiteral("1E-05"));
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), QStringLiteral("#0")), QStringLiteral("Inf"));
    EXPECT_EQ(Format(-std::numeric_limits<double>::infinity(), QStringLiteral("#0.0")), QStringLiteral("-Inf"));
    EXPECT_EQ(Format(1E300, QStringLiteral("0E-##")), QStringLiteral("1E300"));
}

TEST_F(FormatTest, DatesAndTimes)
{
    const QDateTime dt = vb::MakeDateTime(QDate(2003, 3, 12), QTime(8, 5, 9));
    EXPECT_EQ(Format(dt, QStringLiteral("dd/mm/yy")), QStringLiteral("12.03.03"));
    EXPECT_EQ(Format(dt, QStringLiteral("hh:mm:ss")), QStringLiteral("08:05:09"));
    EXPECT_EQ(Format(dt, QStringLiteral("d/m/yyyy h:nn")), QStringLiteral("12.3.2003 8:05"));
    vb::SetDecimalSeparator(QStringLiteral("."));
    EXPECT_EQ(Format(dt, QStringLiteral("dd/mm/yy")), QStringLiteral("12/03/03"));
}

TEST_F(FormatTest, VariantsChooseByType)
{
    EXPECT_EQ(Format(QVariant(), QStringLiteral("#0")), QString());
    EXPECT_EQ(Format(QVariant(QStringLiteral("12,5")), QStringLiteral("#0.00")), QStringLiteral("12,50"));
    EXPECT_EQ(Format(QVariant(QStringLiteral("abc")), QStringLiteral("#0.00")), QStringLiteral("abc"));
    EXPECT_EQ(Format(QVariant(3), QStringLiteral("#0.0")), QStringLiteral("3,0"));
    EXPECT_EQ(Format(QVariant(0.15f), QStringLiteral("#0.0")), QStringLiteral("0,2"));
    EXPECT_EQ(Format(QVariant(vb::MakeDateTime(QDate(2003, 3, 12))), QStringLiteral("dd/mm/yy")), QStringLiteral("12.03.03"));
    EXPECT_EQ(Format(QVariant(QStringLiteral("12.03.2003")), QStringLiteral("dd/mm/yy")), QStringLiteral("12.03.03"));
}

} // namespace
