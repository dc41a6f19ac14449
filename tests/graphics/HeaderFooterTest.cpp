// The page header and footer through the recording surface, and drawn to a PNG.
#include "GraphicsFixture.h"

#include "graphics/ImageSurface.h"
#include "graphics/clsKOPFFUSS.h"

#include <QDir>

namespace {

void fill(clsKOPFFUSS& k)
{
    k.setUEBERSCHRIFT(QStringLiteral("Auswertung der Standrohrversuche"));
    k.setKOMMENTAR(QStringLiteral("Versuch im Bohrloch, Filterstrecke 2,0 m"));
    k.setPROJEKT(QStringLiteral("TE2026.07"));
    k.setBEARBEITER(QStringLiteral("M. Mustermann"));
    k.setPROGRAMMIERER(QStringLiteral("Nordlicht Software"));
    k.setCOPYRIGHT(QStringLiteral("© 2026 Nordlicht Software"));
    k.setDATUM(QDate(2026, 12, 8));
    k.setUHRZEIT(QTime(14, 5, 31));
    k.setSEITE(1);
    k.setSEITENANZAHL(2);
}

} // namespace

using HeaderFooter = GraphicsFixture;

TEST_F(HeaderFooter, PageDrawsToPng)
{
    gfx::ImageSurface img(297, 210, 100);
    clsKOPFFUSS k;
    k.setAUSGABEOBJEKT(&img, &img);
    fill(k);
    k.setKENNZEICHNUNG(QStringList{"B1", "B2", "B3"});
    k.KOPFFUSSZEILE();
    EXPECT_TRUE(ui->boxes().isEmpty());
    const QString keep = qEnvironmentVariable("TALPEX_DIAGRAM_DIR");
    ASSERT_TRUE(img.save(keep.isEmpty() ? dir.file("page.png") : QDir(keep).filePath("page.png")));
}

namespace {

const gfx::DrawCall* startingWith(const gfx::RecordingSurface& s, const QString& prefix)
{
    for (const gfx::DrawCall& c : s.calls())
        if (c.kind == gfx::DrawCall::Text && c.text.startsWith(prefix)) return &c;
    return nullptr;
}

double rightEnd(const gfx::RecordingSurface& s, const gfx::DrawCall& c) { return c.a.x() + s.textWidth(c.text, c.font); }

} // namespace

TEST_F(HeaderFooter, DesignationsPageNumberAndLanguage)
{
    gfx::RecordingSurface s(297, 210);
    clsKOPFFUSS k;
    k.setAUSGABEOBJEKT(&s, &s);
    fill(k);
    k.setKENNZEICHNUNG(QStringLiteral("B1"));
    k.KOPFFUSSZEILE();
    ASSERT_TRUE(startingWith(s, "Datensatz "));
    EXPECT_EQ(startingWith(s, "Datensatz ")->text, QStringLiteral("Datensatz B1"));
    const gfx::DrawCall* title = startingWith(s, "Auswertung");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->font.size, 16);
    EXPECT_TRUE(title->font.bold);
    const gfx::DrawCall* project = startingWith(s, "Projekt TE2026.07");
    ASSERT_TRUE(project);
    EXPECT_NEAR(rightEnd(s, *project), 297 - 15, 1e-4);
    // the 10-pt line on the right ends level with the title
    EXPECT_NEAR(project->a.y() + s.textHeight(project->font), 15 + s.textHeight(title->font), 1e-4);
    const gfx::DrawCall* page = startingWith(s, "Seite 1/2");
    ASSERT_TRUE(page);
    const double pageX = page->a.x();
    EXPECT_NEAR(pageX, project->a.x() - s.textWidth(QString(15, ' ') + "Seite 1/2", project->font), 1e-4);
    const gfx::DrawCall* time = startingWith(s, "14:05");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->font.size, 7);
    EXPECT_NEAR(time->a.x() + s.textWidth("14:05", time->font) / 2, 297 / 2.0, 1e-4);
    const gfx::DrawCall* developer = startingWith(s, "Programmentwicklung: Nordlicht");
    const gfx::DrawCall* copyright = startingWith(s, "© 2026");
    ASSERT_TRUE(developer && copyright);
    EXPECT_NEAR(rightEnd(s, *developer), 297 - 15, 1e-4); // the wider line ends at the margin
    EXPECT_EQ(copyright->a.x(), developer->a.x());
    EXPECT_NEAR(developer->a.y() + s.textHeight(developer->font), 210 - 15, 1e-4);

    // many designations end with ", ..."; English texts; no page number when switched off
    QStringList many;
    for (int i = 1; i <= 60; ++i) many << QStringLiteral("Bohrung %1").arg(i);
    k.setKENNZEICHNUNG(many);
    k.setSPRACHE(1);
    s.forget();
    k.KOPFFUSSZEILE();
    const gfx::DrawCall* files = startingWith(s, "Files Bohrung 1, Bohrung 2, ");
    ASSERT_TRUE(files);
    EXPECT_TRUE(files->text.endsWith(", ...")) << files->text.toStdString();
    EXPECT_FALSE(files->text.contains("Bohrung 60"));
    EXPECT_LE(rightEnd(s, *files), 297 - 15); // ", ..." included, the line stays inside the margin
    EXPECT_GT(rightEnd(s, *files), 297 - 15 - s.textWidth("Bohrung 60, ", files->font)); // and fills it
    EXPECT_TRUE(startingWith(s, "Project TE2026.07") && startingWith(s, "Project Manager: M. Mustermann") &&
                startingWith(s, "Program developed by Nordlicht"));
    ASSERT_TRUE(startingWith(s, "Page 1/2"));
    EXPECT_NEAR(startingWith(s, "Page 1/2")->a.x(), pageX, 1e-4); // measured with the German word

    k.setEBOKFS(false);
    s.forget();
    k.KOPFFUSSZEILE();
    EXPECT_FALSE(startingWith(s, "Page"));
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(HeaderFooter, MarginsByPositionWord)
{
    gfx::RecordingSurface s(297, 210);
    clsKOPFFUSS k;
    k.setAUSGABEOBJEKT(&s, &s);
    fill(k);
    k.setRANDABSTAND(QStringLiteral("links"), 20);
    k.KOPFFUSSZEILE();
    EXPECT_EQ(startingWith(s, "Auswertung")->a, QPointF(20, 15));
    EXPECT_EQ(startingWith(s, "Bearbeiter: ")->a.x(), 20);
    EXPECT_NEAR(rightEnd(s, *startingWith(s, "Projekt ")), 297 - 15, 1e-4);

    k.setRANDABSTAND(QStringLiteral("alle"), 20);
    s.forget();
    k.KOPFFUSSZEILE();
    EXPECT_EQ(startingWith(s, "Auswertung")->a, QPointF(20, 20));
    EXPECT_NEAR(rightEnd(s, *startingWith(s, "Projekt ")), 297 - 20, 1e-4);
    const gfx::DrawCall* op = startingWith(s, "Bearbeiter: ");
    EXPECT_NEAR(op->a.y() + s.textHeight(op->font), 210 - 20, 1e-4);
    EXPECT_EQ(k.marginTop(), 20);
}
