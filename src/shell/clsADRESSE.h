#pragma once
// The maker's contact data shown on the start screen and in the about box.
#include <QString>

class clsADRESSE {
public:
    // sprache: 1 = English, 3 = German (the launch context's SPRACHE).
    explicit clsADRESSE(short sprache) : m_sprache(sprache) {}

    QString FIRMA1() const;
    QString FIRMA2() const;
    QString PLZ() const;
    QString STR() const;
    QString VORSITZ() const;
    QString TEL() const;
    QString FAX() const;
    QString EMAIL() const;
    QString URL() const;
    // The captions before VORSITZ and TEL in the address blocks.
    QString chairLabel() const;
    QString phoneLabel() const;

private:
    QString tr(const QString& german, const QString& english) const;

    short m_sprache;
};
