// The table body scrolled by a real scroll bar: the rows it shows and where
// the bar stands in the picture box's pixels.
#include "graphics/GraphicsFixture.h"
#include "graphics/clsTABELLE.h"
#include "widgets/ScrollBarControl.h"

#include <QScrollBar>
#include <QWidget>

namespace {

// A head of one row and a body of `rows` rows "R0", "R1", ... on a 150 x 100 surface.
struct ScrolledTable {
    ScrolledTable()
    {
        t.setEOBJEKT(&s);
        t.setEYBALKEN(&control);
        t.setERO(10);
        t.setERU(5);
        t.setERL(4);
        t.setERZ(1);
        t.setEZH(5);
        t.setELSB({30, 20});
    }
    QStringList draw(int rows, int value)
    {
        bar->setValue(value);
        s.forget();
        clsTABELLE::Block body(2);
        for (int r = 0; r < rows; ++r) body[0] << QStringLiteral("R%1").arg(r), body[1] << r;
        t.TABELLE({{QStringLiteral("Nr.")}, {QStringLiteral("x")}}, 0);
        t.TABELLE(body, 1);
        t.FUSSNOTE(QStringLiteral("* nicht auswertbar"));
        return textsOf(s);
    }
    gfx::RecordingSurface s{150, 100};
    QWidget box;
    QScrollBar* bar = new QScrollBar(Qt::Vertical, &box);
    ScrollBarControl control{bar};
    clsTABELLE t;
};

} // namespace

TEST(ScrollBarControl, ScrolledBodyShowsItsWindowAndKeepsTheFootnoteOnTheSurface)
{
    ScrolledTable st;
    // body from 17 mm, rows every 5 mm; 14 rows leave room for the footnote above 95 mm
    QStringList shown = st.draw(40, 0);
    EXPECT_TRUE(shown.contains("R0") && shown.contains("R13") && !shown.contains("R14"));
    EXPECT_FALSE(st.bar->isHidden());
    EXPECT_EQ(st.bar->maximum(), 10000);
    EXPECT_EQ(st.bar->pageStep(), 2000);
    EXPECT_EQ(st.bar->singleStep(), 300);
    const double ppm = st.s.pixelsPerMm();
    EXPECT_EQ(st.bar->geometry(), QRect(qRound(54 * ppm), qRound(17 * ppm), qRound(5 * ppm), qRound(78 * ppm)));

    const struct { int value; int first; int last; } windows[] = {{0, 0, 13}, {5000, 13, 26}, {10000, 26, 39}};
    for (const auto& w : windows) {
        shown = st.draw(40, w.value);
        EXPECT_EQ(st.t.EEZ(), w.first);
        EXPECT_EQ(st.t.ELZ(), w.last);
        EXPECT_TRUE(shown.contains(QStringLiteral("R%1").arg(w.first)) && shown.contains(QStringLiteral("R%1").arg(w.last)));
        EXPECT_FALSE(shown.contains(QStringLiteral("R%1").arg(w.first - 1)) || shown.contains(QStringLiteral("R%1").arg(w.last + 1)));
        const gfx::DrawCall* note = findText(st.s, QStringLiteral("* nicht auswertbar"));
        ASSERT_TRUE(note);
        EXPECT_LE(note->a.y() + st.s.TextHeight(), 100 - 5) << "value " << w.value;
    }

    // the printer gets every row; a body that fits hides the bar
    st.s.setPrinter(true);
    shown = st.draw(40, 10000);
    EXPECT_TRUE(shown.contains("R0") && shown.contains("R39"));
    st.s.setPrinter(false);
    st.draw(5, 4000);
    EXPECT_TRUE(st.bar->isHidden());
    EXPECT_EQ(st.bar->value(), 0);
    EXPECT_EQ(st.t.ELZ(), 4);
}

