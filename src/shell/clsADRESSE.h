#pragma once
// The maker's contact data shown on the start screen and in the about box.
#include <QString>

class clsADRESSE {
public:
    // sprache: 1 = English, 3 = German (the launch context's SPRACHE).
    explicit clsADRESSE(short sprache) : m_english(sprache == 1) {}

    QString FIRMA1() const;
    QString FIRMA2() const;
    QString PLZ() const;
    QString STR() const;
    QString VORSITZ() const;
    QString TEL() const;
    QString FAX() const;
    QString EMAIL() const;
    QString URL() const;

private:
    bool m_english;
};
