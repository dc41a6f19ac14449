// A full diagram (axes, tick labels as powers of ten, a Greek axis title, a
// curve) drawn to a PNG and to a PDF.
#include "GraphicsFixture.h"
#include "common/K10Scales.h"

#include "data/clsDATEN.h"
#include "graphics/ImageSurface.h"
#include "graphics/PrinterSurface.h"
#include "graphics/VBColor.h"

#include <QDir>
#include <QFile>

namespace {

// The readings of the current record: time spans, k10 and phi from A2.
struct Series {
    QVector<float> t, tm, k10, phi;
};

Series readRecord(Session& session)
{
    clsDATEN a2(session);
    a2.setETABELLE(QStringLiteral("A2"));
    qint16 mini = 0, maxi = 0, an = 0;
    a2.INDEX(mini, maxi, an, Keys{{"I1"}});
    QVector<float> detn(an), k10(an - 1), phi(an);
    a2.DTVSF(QStringLiteral("DETN"), detn, Keys{{"I1"}});
    a2.DTVSF(QStringLiteral("K10"), k10, Keys{{"I1"}});
    a2.DTVSF(QStringLiteral("PHI"), phi, Keys{{"I1"}});
    Series s;
    s.k10 = k10;
    s.phi = phi;
    float t = 0, tm = 0;
    for (int i = 0; i < an; ++i) {
        t += detn[i] / 60;
        s.t << t;
        if (i + 1 < an) {
            tm += (detn[i] + detn[i + 1]) / 2 / 60;
            s.tm << tm;
        }
    }
    return s;
}

// The k10-over-time diagram of the current record on a surface, 110 x 125 mm
// at (ox, oy), the k10 curve in blue.
void drawK10Diagram(Session& s, gfx::Surface& surface, float ox, float oy)
{
    Series data = readRecord(s);
    clsGRAFIK g(s);
    g.setEID(1);
    g.setEIDOBJEKT(11);
    g.setEOBJEKT(&surface);
    g.setEXDL(ox);
    g.setEYDO(oy);
    g.setELX(110);
    g.setELY(125);
    g.setEBOXMIN(-1);
    g.setEBOXMAX(-1);
    g.setEBOYMIN(-1);
    g.setEBOYMAX(-1);
    testsupport::setK10Scales(g);

    g.SKALEN(-1, data.t, data.k10);
    g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(9));
    g.POLYGON(data.tm, data.k10, static_cast<short>(data.t.size()), 0, 0, QString(), 0, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
    g.TEXT(11, 4, QStringLiteral("Zeitverlauf des Durchlässigkeitsbeiwertes"), 2, 0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
    g.TEXT(88, 12, QStringLiteral("n = 1"), 2, 0, 0, 0);
    // legend: the k10 line and a light red phi line
    const float x1 = g.XMIN() + 0.8f * (g.XMAX() - g.XMIN()), x2 = g.XMIN() + 0.9f * (g.XMAX() - g.XMIN());
    QVector<float> lx{x1, x2}, ly(2, g.YMIN() + 0.12f * (g.YMAX() - g.YMIN()));
    g.POLYGON(lx, ly, 2, 0, 0, QStringLiteral(" k{t,2}10"), 3, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(12));
    QVector<float> ly2(2, g.YMIN() + 0.06f * (g.YMAX() - g.YMIN()));
    g.POLYGON(lx, ly2, 2, 4, 0, QStringLiteral(" {g,1}f"), 3, 0, 0);
    g.LINIENEINSTELLUNGEN(0, 0, 0);

    // the level overlay: same time axis, phi on a light red axis at the right
    clsGRAFIK h(s);
    h.setEID(1);
    h.setEIDOBJEKT(14);
    h.setEOBJEKT(&surface);
    h.setEXDL(ox);
    h.setEYDO(oy);
    h.setELX(110);
    h.setELY(125);
    h.setEBOXMIN(-1);
    h.setEBOXMAX(-1);
    h.setEBOYMIN(-1);
    h.setEBOYMAX(-1);
    h.setELXMIN(g.ELXMIN());
    h.setELXDIFF(g.ELXDIFF());
    h.setELXIT(g.ELXIT());
    h.setELXGIT(g.ELXGIT());
    h.setEAXEX(0);
    h.setEAXEY(-1);
    QVector<float> pmin{0}, pdiff;
    for (int v = 50; v <= 1000; v += 50) { pmin << v; pdiff << v; }
    h.setELYMIN(pmin);
    h.setELYDIFF(pdiff);
    h.setELYIT(QVector<short>(pdiff.size(), 5));
    h.setELYGIT(QVector<short>(pdiff.size(), 0));
    h.setELYZL(QVector<short>(pdiff.size(), 5));
    h.setETEXTY(QStringLiteral("{g,1}f [mm]"));
    h.setESKZY(QStringLiteral("#0"));
    h.LINIENEINSTELLUNGEN(0, 0, gfx::QBColor(12));
    h.SKALEN(-1, data.t, data.phi);
    h.POLYGON(data.t, data.phi, 0, 0, 0, QString(), 0, 0, 0);
    h.LINIENEINSTELLUNGEN(0, 0, 0);
}

class DiagramOutput : public GraphicsFixture {
protected:
    DiagramOutput()
    {
        setG0(11, 11, 12, 10, 11);
        setG0(14, 11, 12, 10, 11);
        // twelve steps of a falling-head test: k10 falling, phi falling
        ado::Transaction tr(s.cnnX);
        for (int i = 0; i < 12; ++i)
            s.cnnX.Execute(QStringLiteral("INSERT INTO [A2] ([ID],[I1],[DETN],[K10],[PHI]) VALUES (1,%1,30,%2,%3)")
                               .arg(i)
                               .arg(i < 11 ? QString::number(3.2e-8 * std::exp(-0.12 * i) + 4e-9, 'g', 9) : QStringLiteral("NULL"))
                               .arg(420 - 25 * i));
        tr.commit();
    }
    // Files go to the temporary folder, or to TALPEX_DIAGRAM_DIR to look at them.
    QString out(const QString& name)
    {
        const QString keep = qEnvironmentVariable("TALPEX_DIAGRAM_DIR");
        return keep.isEmpty() ? dir.file(name) : QDir(keep).filePath(name);
    }
};

TEST_F(DiagramOutput, PngShowsTheCurveInsideThePlotArea)
{
    gfx::ImageSurface img(140, 150, 200);
    drawK10Diagram(s, img, 10, 10);
    EXPECT_TRUE(ui->boxes().isEmpty()) << ui->boxes().value(0).text.toStdString();
    const QString png = out(QStringLiteral("k10.png"));
    ASSERT_TRUE(img.save(png));
    EXPECT_GT(QFile(png).size(), 1000);

    // plot area: x 21..118 mm, y 20..124 mm; the k10 curve is the only blue
    const QImage im = img.image();
    const double k = img.pixelsPerMm();
    int inside = 0, outside = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            const QColor c = im.pixelColor(x, y);
            if (!(c.blue() > 150 && c.red() < 120 && c.green() < 120)) continue;
            const double xm = x / k, ym = y / k;
            if (xm > 20.5 && xm < 118.5 && ym > 19.5 && ym < 124.5) ++inside;
            else ++outside;
        }
    EXPECT_GT(inside, 300);
    EXPECT_EQ(outside, 0);
}

TEST_F(DiagramOutput, PdfIsWritten)
{
    const QString pdf = out(QStringLiteral("k10.pdf"));
    {
        auto printer = gfx::PrinterSurface::pdfWriter(pdf);
        gfx::PrinterSurface page(*printer);
        EXPECT_NEAR(page.sizeMm().width(), 297, 0.5);
        EXPECT_NEAR(page.sizeMm().height(), 210, 0.5);
        drawK10Diagram(s, page, 15, 30);
        EXPECT_TRUE(page.EndDoc());
    }
    EXPECT_TRUE(ui->boxes().isEmpty());
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    EXPECT_GT(f.size(), 2000);
}

TEST_F(DiagramOutput, UnwritablePdfIsReportedOnceAndDrawsNothing)
{
    auto printer = gfx::PrinterSurface::pdfWriter(dir.file(QStringLiteral("missing/k10.pdf")));
    gfx::PrinterSurface page(*printer);
    drawK10Diagram(s, page, 15, 30);
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_TRUE(ui->boxes()[0].text.endsWith(QStringLiteral("482\nDruckerfehler")));
    page.NewPage();
    EXPECT_FALSE(page.EndDoc());
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("missing/k10.pdf"))));
}

} // namespace
