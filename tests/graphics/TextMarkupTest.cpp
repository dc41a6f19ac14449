#include "QtPrint.h"
#include "graphics/TextMarkup.h"
#include "platform/Convert.h"

#include <gtest/gtest.h>

using gfx::TextMarkup;
using gfx::TextRun;

namespace {

QString dump(const QVector<TextRun>& runs)
{
    static const char* names[] = {"P", "t", "h", "g", "gt", "gh", "c", "s"};
    QStringList parts;
    for (const TextRun& r : runs) parts << QString::fromLatin1(names[r.kind]) + QLatin1Char(':') + r.text;
    return parts.join(QLatin1Char('|'));
}

TEST(TextMarkup, ExamplesOfThePages)
{
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("k{t,2}10 [m/s]"))), QStringLiteral("P:k|t:10|P: [m/s]"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("{g,1}Dh{t,4}korr"))), QStringLiteral("g:Δ|P:h|t:korr"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("{g,1}f [mm]"))), QStringLiteral("g:φ|P: [mm]"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("d{t,1}1 = "))), QStringLiteral("P:d|t:1|P: = "));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("1*10{h,3}-05"))), QStringLiteral("P:1*10|h:-05"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("Nr."))), QStringLiteral("P:Nr."));
}

TEST(TextMarkup, EveryCodeAndOddCounts)
{
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("a{gt,2}ab{gh,1}Wz{s,1}x{c,176}C"))),
              QStringLiteral("P:a|gt:αβ|gh:Ω|P:z|s:x|c:°|P:C"));
    // a count beyond the end applies to the rest; markup never nests
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("x{h,10}ab"))), QStringLiteral("P:x|h:ab"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("{t,4}{h,1}"))), QStringLiteral("t:{h,1|P:}"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("{g,1}f"))), QStringLiteral("g:φ"));
    // incomplete or unknown elements do no harm
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("a{b"))), QStringLiteral("P:a{b"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("a{t,x}bc"))), QStringLiteral("P:a|P:bc"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("a{q,1}bc"))), QStringLiteral("P:a|P:b|P:c"));
    EXPECT_EQ(dump(TextMarkup::parse(QStringLiteral("{c,7}"))), QStringLiteral("c:"));
    EXPECT_TRUE(TextMarkup::parse(QString()).isEmpty());
    EXPECT_EQ(TextMarkup::character(128), QStringLiteral("€"));
}

TEST(TextMarkup, GreekLettersFromSymbolCodes)
{
    EXPECT_EQ(TextMarkup::greek(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ")),
              QStringLiteral("ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ"));
    EXPECT_EQ(TextMarkup::greek(QStringLiteral("abcdefghijklmnopqrstuvwxyz")),
              QStringLiteral("αβχδεφγηιϕκλμνοπθρστυϖωξψζ"));
    EXPECT_EQ(TextMarkup::greek(QStringLiteral("1 [+]")), QStringLiteral("1 [+]"));
}

TEST(TextMarkup, NumbersInExponentNotationBecomePowersOfTen)
{
    vb::SetDecimalSeparator(QStringLiteral(","));
    QString t = QStringLiteral("1E-05");
    EXPECT_TRUE(TextMarkup::convertNumber(t));
    EXPECT_EQ(t, QStringLiteral("1*10{h,3}-05"));
    t = QStringLiteral("2.5E+03");
    EXPECT_TRUE(TextMarkup::convertNumber(t));
    EXPECT_EQ(t, QStringLiteral("2.5*10{h,3}+03"));
    t = QStringLiteral("5E-10");
    EXPECT_TRUE(TextMarkup::convertNumber(t));
    EXPECT_EQ(t, QStringLiteral("5*10{h,3}-10"));
    for (const QString& unchanged : {QStringLiteral("12.5"), QStringLiteral("Erde"), QStringLiteral("1e-05"),
                                     QStringLiteral("E"), QStringLiteral("k{t,2}10")}) {
        t = unchanged;
        EXPECT_FALSE(TextMarkup::convertNumber(t)) << unchanged.toStdString();
        EXPECT_EQ(t, unchanged);
    }
}

} // namespace
