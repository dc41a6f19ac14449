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
