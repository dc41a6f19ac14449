#pragma once
// The header and footer of a result page: title, the designations of the
// records shown, a comment, the project and the page number at the top; the
// operator, date and time, and the developer and copyright lines at the bottom.
#include "graphics/MarkupText.h"
#include "graphics/Surface.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

class clsKOPFFUSS {
public:
    clsKOPFFUSS();

    // The page area is the frame's size; text is drawn on the surface (often the same object).
    void setAUSGABEOBJEKT(gfx::Surface* RAHMENOBJEKT, gfx::Surface* EOBJEKT);

    QString UEBERSCHRIFT() const { return m_UEBERSCHRIFT; }
    void setUEBERSCHRIFT(const QString& v) { m_UEBERSCHRIFT = v; }
    void setKENNZEICHNUNG(const QString& v) { m_KENNZEICHNUNG = QStringList{v}; }
    void setKENNZEICHNUNG(const QStringList& v) { m_KENNZEICHNUNG = v; }
    QString KOMMENTAR() const { return m_KOMMENTAR; }
    void setKOMMENTAR(const QString& v) { m_KOMMENTAR = v; }
    QString PROJEKT() const { return m_PROJEKT; }
    void setPROJEKT(const QString& v) { m_PROJEKT = v; }
    QString BEARBEITER() const { return m_BEARBEITER; }
    void setBEARBEITER(const QString& v) { m_BEARBEITER = v; }
    QString PROGRAMMIERER() const { return m_PROGRAMMIERER; }
    void setPROGRAMMIERER(const QString& v) { m_PROGRAMMIERER = v; }
    QString COPYRIGHT() const { return m_COPYRIGHT; }
    void setCOPYRIGHT(const QString& v) { m_COPYRIGHT = v; }
    QDate DATUM() const { return m_DATUM; }
    void setDATUM(const QDate& v) { m_DATUM = v; }
    QTime UHRZEIT() const { return m_UHRZEIT; }
    void setUHRZEIT(const QTime& v) { m_UHRZEIT = v; }
    short SEITE() const { return m_SEITE; }
    void setSEITE(short v) { m_SEITE = v; }
    short SEITENANZAHL() const { return m_SEITENANZAHL; }
    void setSEITENANZAHL(short v) { m_SEITENANZAHL = v; }
    bool EBOKFS() const { return m_EBOKFS; }
    void setEBOKFS(bool v) { m_EBOKFS = v; }
    short SPRACHE() const { return m_SPRACHE; }
    void setSPRACHE(short v) { m_SPRACHE = v; }
    // LAGE "oben", "unten", "links", "rechts"; any other word sets all four margins.
    void setRANDABSTAND(const QString& LAGE, float mm);

    void KOPFFUSSZEILE();

    void SCHRIFTEINSTELLUNGEN(const QString& SCHRIFTART, short SCHRIFTGROESSE, short FETT, short UNTERSTRICHEN,
                              short KURSIV, qint32 FARBE);
    // horizontal 0 start, 1 centre, 2 end; vertical 0 top, 1 middle, 2 bottom.
    void TEXT(float x, float y, const QString& text, short horizontal, short vertical);

    // The margins in millimetres (top, bottom, left, right).
    float marginTop() const { return m_top; }
    float marginBottom() const { return m_bottom; }
    float marginLeft() const { return m_left; }
    float marginRight() const { return m_right; }
    // The label and designation list as the header shows them ("Datensatz B1"),
    // fitted in the surface's current font (10 pt while the header draws).
    QString designationLine() const;

private:
    // The text of the page's language (SPRACHE).
    QString tr(const QString& german, const QString& english) const;
    double widthOf(const QString& text) const;

    gfx::Surface* m_frame = nullptr;
    gfx::Surface* m_surface = nullptr;
    QString m_UEBERSCHRIFT, m_KOMMENTAR, m_PROJEKT = QStringLiteral("TE0000.00"), m_BEARBEITER, m_PROGRAMMIERER,
                            m_COPYRIGHT;
    QStringList m_KENNZEICHNUNG{QString()};
    QDate m_DATUM;
    QTime m_UHRZEIT;
    short m_SEITE = 1, m_SEITENANZAHL = 1;
    bool m_EBOKFS = true;
    short m_SPRACHE = 3;
    float m_top = 15, m_bottom = 15, m_left = 15, m_right = 15;
    gfx::MarkupText m_text;
};
