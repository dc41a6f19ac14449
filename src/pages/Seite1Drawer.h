#pragma once
// The drawing of "Seite 1", the result page of one evaluated record. Bild 11
// is the time history of k10 with the optional level overlay Bild 14 drawn
// into the same box, Bild 12 the strip with the standpipe data, Bild 13 the
// table of readings and results; header and footer are drawn on the page.
#include "evaluation/HeadFit.h"
#include "evaluation/ProjectSummary.h"
#include "evaluation/ResultSeries.h"
#include "evaluation/StepRange.h"
#include "graphics/PlainScrollBar.h"
#include "graphics/Surface.h"
#include "pages/PageDrawer.h"

#include <QRectF>
#include <QVariant>
#include <memory>
#include <optional>

class clsDATEN;
class clsGRAFIK;
class clsTABELLE;

class Seite1Drawer : public PageDrawer {
public:
    explicit Seite1Drawer(Session& s);
    ~Seite1Drawer() override;

    // Reads the record and draws the whole page, advancing the progress hook
    // 0, 20, 50, 70, 95; the diagram limits are computed afresh when the
    // record is not evaluated with its current data (BONEU), and only then.
    void load() override;

    // mode 0: screen (the box is cleared first); mode 1: the printer surface
    // `object`, placed at the box's position plus the offsets (mm).
    void BILD11(short mode = 0, float dx = 0, float dy = 0, gfx::Surface* object = nullptr);
    void BILD12(short mode = 0, float dx = 0, float dy = 0, gfx::Surface* object = nullptr);
    void BILD13(short mode = 0, float dx = 0, float dy = 0, gfx::Surface* object = nullptr);
    // The level overlay, drawn into Bild 11 without clearing it; nothing when off.
    void BILD14(short mode = 0, float dx = 0, float dy = 0, gfx::Surface* object = nullptr);

    // The scroll bar of the table on screen: a window's control; without a
    // window one that only keeps its position.
    void setTableScrollBar(gfx::ScrollBar* bar) { m_scrollBar = bar ? bar : &m_plainScrollBar; }
    qint32 recordId() const { return m_id; }

    QVector<Box> boxes() const override;
    QVector<Diagram> diagrams() override;
    QString printTitle() const override { return QStringLiteral("Drucken von Seite 1"); }
    // A table longer than the paper holds runs on over further sheets.
    int printSheets(gfx::Surface& paper) override;

    // -1 while the next drawing computes the limits from the data.
    short rescaleFlag() const { return m_rescale; }
    void setRescaleFlag(short v) { m_rescale = v; }
    const ResultSeries& series() const { return m_series; }
    // The page heading in the header.
    static QString pageHeading();
    // The rows of the table body, [column][row], the text colour of each row
    // (-1 normal; grey outside the evaluated range), the foot block with the
    // k10 values its statistics are taken over and its row labels, and the
    // footnote.
    struct TableBody {
        QVector<QVector<QVariant>> cells;
        QVector<qint32> rowColours;
        QVector<QVector<QVariant>> foot;
        QStringList footLabels;
        QString footnote;
        QString fitLine; // the straight line over the range, below the foot
    };
    TableBody tableBody() const;
    // The steps reported (A1 VON/BIS, all when none or no longer possible)
    // and what is reported over them.
    StepRange stepRange() const;
    StepSummary summary() const { return StepSummary::of(m_series.K10, stepRange()); }
    bool logarithmic() const { return m_LOGK10; }
    // The straight line through ln(head) over the reported steps.
    HeadFit fit() const;
    // Its line below the table, in the session's language and decimal separator.
    static QString fitText(const HeadFit& fit, const Session& s);

protected:
    QString heading() const override { return pageHeading(); }
    QStringList designations() const override { return {m_KEN}; }
    QString comment() const override { return m_KOM; }

private:
    gfx::Surface* box11() const { return boxSurface(0); }
    gfx::Surface* box12() const { return boxSurface(1); }
    gfx::Surface* box13() const { return boxSurface(2); }
    void readRecord();
    // Orientation, margins and free scales of Bild 11 written to a G0 row; with
    // `always` false only when the row lacks any of them. True when written.
    bool writeFrame(short idObjekt, bool always);
    void readSwitches();
    // The table of Bild 13 bound to a surface and laid out; no drawing.
    void setupTable(short mode, float dx, float dy, gfx::Surface* surface);
    // Bild 14 as the head relative to the range's first reading on a
    // logarithmic axis, with the fitted line.
    // Returns what it drew (page mm), for the mean's value to stand clear of.
    QVector<QPointF> drawLogHead(short mode, float dx, float dy, gfx::Surface* surface);
    void drawMeanValue(const QRectF& legend, const QVector<QPointF>& avoid);

    // Layout in millimetres (the page's twips / 56.7).
    QRectF m_rect11, m_rect12, m_rect13;
    gfx::PlainScrollBar m_plainScrollBar;
    gfx::ScrollBar* m_scrollBar = &m_plainScrollBar;

    std::unique_ptr<clsDATEN> m_E1, m_E2, m_E3, m_A1, m_A2, m_G0, m_V1;
    std::unique_ptr<clsGRAFIK> m_g11, m_g12, m_g14;
    std::unique_ptr<clsTABELLE> m_table;

    qint32 m_id = 0;
    QString m_KEN, m_KOM;
    short m_rescale = 0;
    short m_BILD14AN = 0, m_GITT = 0, m_GITK10 = 0;
    QVariant m_VON, m_BIS; // evaluated steps; null: from the first / to the last
    bool m_LOGK10 = false;
    bool m_LOGPHI = false;
    std::optional<QRectF> m_meanLegend; // Bild 11's legend while its mean's value waits for Bild 14
    ProjectSummary::Evaluation m_evaluation; // the readings and reference levels the line is fitted to
    float m_H = 0, m_D1 = 0, m_D2 = 0, m_F = 0;
    QString m_STRO;
    short m_N = 0;
    int m_MAXI = -1;
    QVector<float> m_TEMP, m_HST; // by reading index
    int m_withoutTemperature = 0; // readings computed at 0 °C
    ResultSeries m_series;
    // On paper: table rows per sheet, and the font the table was drawn in on
    // the first sheet, so that further sheets match it.
    int m_rowsPerSheet = 0;
    gfx::SurfaceFont m_paperFont;
    qint32 m_paperColour = 0;
};
