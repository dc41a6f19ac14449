#pragma once
// The text markup of diagram, table and header texts: "{" code "," n "}"
// applies a code to the next n characters (t subscript, h superscript,
// g Greek, gt/gh Greek sub-/superscript, c one character by its code,
// s lowered), and the power-of-ten form of numbers in exponent notation.
#include <QString>
#include <QVector>

namespace gfx {

struct TextRun {
    // The font slot follows from the kind: Plain and Char 2, Greek 3, Sub and
    // Sup 4, GreekSub and GreekSup 5, Lowered keeps the surface font.
    enum Kind { Plain, Sub, Sup, Greek, GreekSub, GreekSup, Char, Lowered };
    Kind kind = Plain;
    QString text;        // as drawn: Greek runs already in Unicode
    bool operator==(const TextRun&) const = default;
};

class TextMarkup {
public:
    // A text that is a number with "E" becomes mantissa + "*10{h,n}" + exponent:
    // 1E-05 -> 1*10{h,3}-05. Returns whether it was rewritten.
    static bool convertNumber(QString& text);
    // Splits a text into its runs; markup never nests, a count beyond the end
    // takes the rest, a "{" without a complete element is plain text.
    static QVector<TextRun> parse(const QString& text);
    // Symbol-font character codes to Unicode Greek (D -> Delta, f -> phi).
    static QString greek(const QString& symbolText);
    // The character of a Windows code-page 1252 code.
    static QString character(int code);
};

} // namespace gfx
