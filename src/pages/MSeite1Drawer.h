#pragma once
// The drawing of "MSeite 1": the permeability histories of several records
// compared on one page. Bild 110 draws every record's k10 curve over time, Bild 120 one point
// per record at its last evaluated step; both share the record's symbol and
// colour. The records are the active ones (the multiple evaluation's own
// record 0 excluded); records without results are listed but not drawn.
#include "evaluation/ResultSeries.h"
#include "pages/PageDrawer.h"

#include <QStringList>
#include <QVector>
#include <memory>

class clsGRAFIK;

class MSeite1Drawer : public PageDrawer {
public:
    explicit MSeite1Drawer(Session& s);
    ~MSeite1Drawer() override;

    // Reads the record list and draws everything on screen, reporting
    // progress 5/40/70/95; the rescale flag is 0 afterwards.
    void load() override;

    // (output mode 0 screen / 1 printer, x and y offsets in mm, printer surface)
    void BILD110(short mode = 0, float dx = 0, float dy = 0, gfx::Surface* object = nullptr);
    void BILD120(short mode = 0, float dx = 0, float dy = 0, gfx::Surface* object = nullptr);

    QVector<Box> boxes() const override;
    QVector<Diagram> diagrams() override;
    QString printTitle() const override { return QStringLiteral("Drucken von MSeite 1"); }
    // The page heading in the header.
    static QString pageHeading();

    // The record list of the page (active records by ID) and their designations.
    const QVector<qint32>& recordIds() const { return m_ID; }
    const QStringList& recordDesignations() const { return m_KEN; }
    // Designations of the listed records that have no results to draw.
    QStringList recordsWithoutResults() const;
    // -1 while the limits are to be computed from the data, else 0.
    short rescaleFlag() const { return m_BONEU; }

    // Symbol type (and so colour) of the k-th record of the list: the types
    // 0..6, then 0..7 again and again, so no record runs past the eight symbols.
    static short symbolType(int k);

protected:
    QString heading() const override { return pageHeading(); }
    QStringList designations() const override { return m_KEN; }
    QString comment() const override { return m_KOM; }

private:
    void readRecords();
    void drawTitle(clsGRAFIK& g, const QString& title) const;
    QVector<qint32> m_ID;
    QStringList m_KEN;
    QVector<ResultSeries> m_series; // one per listed record
    short m_BONEU = 0;              // rescale flag
    bool m_scaled110 = false;       // Bild 110 has just found new limits
    QString m_KOM;
    std::unique_ptr<clsGRAFIK> m_g110; // kept for Bild 120's axis settings
};
