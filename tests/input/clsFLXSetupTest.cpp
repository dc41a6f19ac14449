// Binding, column lists and their defaults, index numbering and grid sizing.
#include "FlexFixture.h"

using GridSetup = FlexFixture;

TEST_F(GridSetup, BindingLeavesOneDataRowAndDefaultLists)
{
    EXPECT_EQ(grid->Rows(), grid->FixedRows() + 1);
    EXPECT_EQ(flx.EDET(), -1);
    flx.setELSB({10, 20, 30});
    EXPECT_EQ(grid->Cols(), 3);
    EXPECT_EQ(flx.ELST1(), (QVariantList{"I1", "I2", "I3"}));
    EXPECT_EQ(flx.ELSTTT(), (QVariantList{"SpaltenNr.1", "SpaltenNr.2", "SpaltenNr.3"}));
    EXPECT_EQ(flx.ELSTYP(), (QVariantList{0, 0, 0}));
    EXPECT_EQ(flx.ELA(), (QVariantList{2, 2, 2}));
    EXPECT_TRUE(flx.EBOH());
    EXPECT_NEAR(grid->ColWidth(1), 20 * 56.7, 15);
    EXPECT_EQ(grid->ColAlignment(0), vb::flexAlignCenterCenter);
    EXPECT_EQ(grid->font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(grid->font().pointSize(), 11);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

TEST_F(GridSetup, IndexColumnsBecomeFixedAndAreNumberedFromZero)
{
    configureReadings();
    EXPECT_EQ(grid->FixedCols(), 1);
    setRows(3);
    flx.AKTUALISIEREN();
    EXPECT_EQ(cell(1, 0), "0");
    EXPECT_EQ(cell(3, 0), "2");
    EXPECT_EQ(flx.dateColumn(), 1);
    EXPECT_EQ(flx.timeColumn(), 2);
    EXPECT_EQ(flx.timeDiffColumn(), 3);
    EXPECT_TRUE(ui->boxes().isEmpty());
}

// The lowest dark pixel row in a column's stretch of the header picture, within [y0, y1).
static int lowestInk(const QImage& img, int x0, int x1, int y0, int y1)
{
    int lowest = -1;
    for (int y = y0; y < y1 && y < img.height(); ++y)
        for (int x = std::max(0, x0); x < x1 && x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 100) lowest = y;
    return lowest;
}

TEST_F(GridSetup, HeaderPictureDrawsTwoLinesWithMarkup)
{
    configureReadings();
    flx.connectHostEvents();
    show();
    flx.BESCHRIFTEN();
    const QImage img = pic->picture();
    ASSERT_EQ(pic->height(), grid->rowHeight(0));
    const int half = pic->height() / 2;
    const auto stretch = [&](int col) {
        const int left = grid->columnViewportPosition(col);
        return std::pair{left, left + grid->columnWidth(col)};
    };
    const auto [h0, h1] = stretch(5);  // "h'"
    const auto [k0, k1] = stretch(6);  // "h{t,4}korr": "korr" as a subscript
    const int plain = lowestInk(img, h0, h1, 0, half);
    const int sub = lowestInk(img, k0, k1, 0, half);
    ASSERT_GE(plain, 0);
    EXPECT_GT(sub, plain + 1);
    // the second line holds the units
    EXPECT_GE(lowestInk(img, h0, h1, half, pic->height()), half);
    // the tooltip of the picture follows the column under the mouse
    QTest::mouseMove(pic, QPoint((k0 + k1) / 2, 3));
    EXPECT_TRUE(pic->toolTip().startsWith("h eines Referenzrohres")) << pic->toolTip().toStdString();
    QTest::mouseMove(pic, QPoint((h0 + h1) / 2, 3));
    EXPECT_TRUE(pic->toolTip().startsWith("Abstand des Wasserspiegels")) << pic->toolTip().toStdString();
}

TEST_F(GridSetup, FontSettingsAndHeaderFonts)
{
    configureReadings();
    flx.SCHRIFTEINSTELLUNGEN("DejaVu Sans", 12, true, false, true, 0x0000FF);
    EXPECT_EQ(grid->font().family(), "DejaVu Sans");
    EXPECT_TRUE(grid->font().bold());
    EXPECT_EQ(grid->ForeColor(), QColor(255, 0, 0));
    EXPECT_EQ(txt->font(), grid->font());
    EXPECT_EQ(flx.headerFont(2).pointSize(), 12);
    EXPECT_EQ(flx.headerFont(4).pointSize(), 10); // 12 / 1.175 rounded
    EXPECT_EQ(flx.headerFont(3).family(), "Symbol");
    EXPECT_EQ(flx.headerFont(5).family(), "Symbol");
    EXPECT_EQ(flx.headerFont(5).pointSize(), 10);
    EXPECT_TRUE(flx.headerFont(5).italic());
    // without a second header line the header row is one line high
    const int twoLines = grid->rowHeight(0);
    flx.setELST2({});
    flx.SCHRIFTEINSTELLUNGEN("", 0, false, false, false, 0);
    EXPECT_EQ(grid->font().pointSize(), 11);
    EXPECT_LT(grid->rowHeight(0), twoLines * 3 / 4);
}

TEST_F(GridSetup, ErrorsInSettersShowTheGridBox)
{
    flx.setELSB({10});
    flx.setELSTYP({1}); // an index column would leave no editable column
    ASSERT_EQ(ui->boxes().size(), 1);
    EXPECT_EQ(ui->boxes()[0].title, "LSTYP - FlexGrid");
    EXPECT_TRUE(ui->boxes()[0].text.startsWith("VB-Error: 380\n"));
    EXPECT_EQ(ui->boxes()[0].buttons(), vb::vbOKCancel);
    flx.setELSB({"x"});
    EXPECT_EQ(ui->boxes().last().title, "MSFlexGrid / LSB");
    EXPECT_EQ(flx.EMATRIX(5, 99), QVariant());
    EXPECT_EQ(ui->boxes().last().title, "MSFlexGrid / EMATRIX");
}

TEST_F(GridSetup, ZeroWidthColumnOpensNoEditor)
{
    flx.setELSB({10, 10, 0});
    flx.connectHostEvents();
    grid->setRow(1);
    grid->setCol(2);
    flx.BEARBEITEN(int('7'));
    EXPECT_TRUE(txt->isHidden());
    grid->setCol(1);
    flx.BEARBEITEN(int('7'));
    EXPECT_FALSE(txt->isHidden());
}
