// The table renderer through the recording surface, and a result-style table
// drawn to a PNG.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"
#include "graphics/clsTABELLE.h"

#include <QDir>
#include <QScrollBar>
#include <QWidget>

namespace {

// The result page's table: number, time span, phi, head, head change, phi, k10.
struct ResultTable {
    explicit ResultTable(gfx::Surface& s)
    {
        t.setEOBJEKT(&s);
        t.setEXDL(5);
        t.setEYDO(8);
        t.setERZ(1);
        t.setEZH(0);
        t.setEZA(1.2f);
        t.setELSB({11, 18, 11, 18, 18, 18, 18});
        t.setELGIT({2, 1, 1, 1, 1, 1});
        t.setELGITLEER({0, 0, 0, 0, 0, 0, 0});
        t.setELFORMAT({"", "#0", "#0.0", "#0.0", "#0.0", "#0.0", "0.0E-##"});
    }
    static clsTABELLE::Block head()
    {
        const QStringList h1{"Nr.", "{g,1}Dt", "T", "h'", "{g,1}Dh{t,4}korr", "{g,1}f", "k{t,2}10"};
        const QStringList h2{"", "[s]", "[h]", "[mm]", "[mm]", "[mm]", "[m/s]"};
        clsTABELLE::Block b;
        for (int c = 0; c < 7; ++c) b.append({h1[c], h2[c]});
        return b;
    }
    static clsTABELLE::Block body(int rows)
    {
        clsTABELLE::Block b(7);
        for (int r = 0; r < rows; ++r) {
            b[0].append(r + 1);
            b[1].append(60.0 * (r + 1));
            b[2].append(0.0167 * (r + 1));
            b[3].append(1234.5 - 37.25 * r);
            b[4].append(r == 0 ? 0.0 : -3.5 * r);
            b[5].append(987.25 - 20.5 * r);
            b[6].append(r == 3 ? QVariant(QStringLiteral("0.0E0  *")) : QVariant(3.2e-8 / (r + 1)));
        }
        return b;
    }
    void draw(int rows)
    {
        t.setELA({1, 1, 1, 1, 1, 1, 1});
        t.TITEL(QStringLiteral("Ablesungen und Ergebnisse"));
        t.TABELLE(head(), 0);
        t.setELA({1, 3, 3, 3, 3, 3, 3});
        t.TABELLE(body(rows), 1);
        t.FUSSNOTE(QStringLiteral("* nicht auswertbar"));
    }
    clsTABELLE t;
};

QString out(testsupport::TempDir& dir, const QString& name)
{
    const QString keep = qEnvironmentVariable("TALPEX_DIAGRAM_DIR");
    return keep.isEmpty() ? dir.file(name) : QDir(keep).filePath(name);
}

} // namespace

using Table = GraphicsFixture;

TEST_F(Table, ResultTableDrawsToPng)
{
    gfx::ImageSurface img(130, 120, 200);
    ResultTable table(img);
    table.draw(12);
    EXPECT_TRUE(ui->boxes().isEmpty());
    ASSERT_TRUE(img.save(out(dir, QStringLiteral("table.png"))));
}
