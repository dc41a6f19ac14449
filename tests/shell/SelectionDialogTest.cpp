// The selection dialog frmAUSWAHL on a real working copy: modes, captions,
// the selection rules, and the active flags written by ID.
#include "RecordFixture.h"

#include "shell/ModalTag.h"
#include "shell/frmAUSWAHL.h"
#include "shell/frmMAIN.h"

#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class SelectionDialogTest : public ::testing::Test {
protected:
    void SetUp() override { f.start(); }
    // The dialog as the commands show it, but without a modal loop.
    std::unique_ptr<frmAUSWAHL> show(const QString& mode)
    {
        f.fi.session.TAG = mode;
        auto dlg = std::make_unique<frmAUSWAHL>(f.fi.session, &f.main());
        dlg->show();
        return dlg;
    }
    QStringList lines(frmAUSWAHL& dlg)
    {
        QStringList l;
        for (int i = 0; i < dlg.lstKEN()->count(); ++i) l << dlg.lstKEN()->item(i)->text();
        return l;
    }
    QList<int> selectedRows(frmAUSWAHL& dlg)
    {
        QList<int> rows;
        for (int i = 0; i < dlg.lstKEN()->count(); ++i)
            if (dlg.lstKEN()->item(i)->isSelected()) rows << i;
        return rows;
    }
    QList<vb::ScriptedUi::Box> boxes() { return f.fi.ui->boxes(); }

    RecordFixture f;
};

TEST_F(SelectionDialogTest, OpenModeListsUserRecordsInKeyOrderWithOnlyTheFirstActiveSelected)
{
    f.addMultipleEvaluation();
    f.addRecord(3, QStringLiteral("C"), true, QStringLiteral("dritter"));
    f.addRecord(1, QStringLiteral("A"), false);
    f.addRecord(2, QStringLiteral("B"), true, QStringLiteral("zweiter"));
    f.addRecord(4, QStringLiteral("D"), true);
    auto dlg = show(ModalTag::kOpen);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Datei/Öffnen"));
    EXPECT_EQ(dlg->cmdABBRECHEN()->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(lines(*dlg), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}));
    EXPECT_EQ(selectedRows(*dlg), QList<int>{1});
    EXPECT_EQ(dlg->lstKEN()->item(2)->toolTip(), QStringLiteral("dritter"));

    // A second line cannot join; the clicked line's comment becomes the tooltip.
    RecordFixture::clickLine(*dlg, 2);
    EXPECT_EQ(selectedRows(*dlg), QList<int>{1});
    EXPECT_EQ(dlg->lstKEN()->toolTip(), QStringLiteral("dritter"));
    RecordFixture::clickLine(*dlg, 1);
    RecordFixture::clickLine(*dlg, 2);
    EXPECT_EQ(selectedRows(*dlg), QList<int>{2});
    dlg->cmdOK()->click();
    EXPECT_EQ(f.fi.session.TAG, ModalTag::kOK);
    EXPECT_EQ(f.activeIds(), QList<long>{3});
    EXPECT_TRUE(boxes().isEmpty());
}

TEST_F(SelectionDialogTest, SelectModeChecksRecordsJoiningAMultipleEvaluation)
{
    f.addRecord(1, QStringLiteral("A"), false); // never evaluated, but chosen first
    f.addRecord(2, QStringLiteral("B"), false);
    f.addRecord(3, QStringLiteral("C"), false);
    f.addRecord(4, QStringLiteral("D"), false);
    f.addEvaluated(2, true);  // results out of date
    f.addEvaluated(3, false); // evaluated
    auto dlg = show(ModalTag::kSelect);
    RecordFixture::clickLine(*dlg, 0);
    EXPECT_TRUE(boxes().isEmpty());
    RecordFixture::clickLine(*dlg, 3);
    ASSERT_EQ(boxes().size(), 1);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Datensatz D muß zuerst einzeln ausgewertet werden!"));
    EXPECT_EQ(boxes()[0].title, QStringLiteral("Datei/Auswahl"));
    EXPECT_EQ(selectedRows(*dlg), QList<int>{0});
    RecordFixture::clickLine(*dlg, 1);
    EXPECT_EQ(boxes().size(), 2);
    RecordFixture::clickLine(*dlg, 2);
    EXPECT_EQ(boxes().size(), 2);
    EXPECT_EQ(selectedRows(*dlg), (QList<int>{0, 1, 2}));
    // Deselecting is never checked.
    RecordFixture::clickLine(*dlg, 1);
    EXPECT_EQ(boxes().size(), 2);
    dlg->cmdOK()->click();
    EXPECT_EQ(f.activeIds(), (QList<long>{1, 3}));
}

TEST_F(SelectionDialogTest, SelectModeChecksTheRecordsActiveWhenTheListIsFilled)
{
    f.addRecord(1, QStringLiteral("A"), true); // the first selected is never checked
    f.addRecord(2, QStringLiteral("B"), true); // never evaluated
    f.addRecord(3, QStringLiteral("C"), true); // out of date: warned, stays
    f.addRecord(4, QStringLiteral("D"), true);
    f.addEvaluated(3, true);
    f.addEvaluated(4, false);
    auto dlg = show(ModalTag::kSelect);
    ASSERT_EQ(boxes().size(), 2);
    EXPECT_EQ(boxes()[0].text, QStringLiteral("Datensatz B muß zuerst einzeln ausgewertet werden!"));
    EXPECT_EQ(boxes()[1].text, QStringLiteral("Datensatz C muß zuerst einzeln ausgewertet werden!"));
    EXPECT_EQ(selectedRows(*dlg), (QList<int>{0, 2, 3}));
    dlg->cmdOK()->click();
    EXPECT_EQ(f.activeIds(), (QList<long>{1, 3, 4}));
}

TEST_F(SelectionDialogTest, DeleteModeAllowsEveryRecordAndPairsLinesByIdEvenWithEmptyKeys)
{
    f.addRecord(7, QStringLiteral("Y"), true);
    f.addRecord(5, QString(), false);
    f.addRecord(6, QStringLiteral("X"), true);
    f.fi.session.SPRACHE = 1;
    auto dlg = show(ModalTag::kDelete);
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("File/Delete"));
    EXPECT_EQ(dlg->cmdABBRECHEN()->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(lines(*dlg), (QStringList{QString(), QStringLiteral("X"), QStringLiteral("Y")}));
    RecordFixture::clickLine(*dlg, 0);
    RecordFixture::clickLine(*dlg, 1);
    EXPECT_EQ(selectedRows(*dlg), (QList<int>{0, 2}));
    dlg->cmdOK()->click();
    EXPECT_TRUE(boxes().isEmpty());
    EXPECT_EQ(f.activeIds(), (QList<long>{5, 7}));
}

TEST_F(SelectionDialogTest, EmptyTableConfirmsAndCancelWritesNothing)
{
    f.addMultipleEvaluation();
    auto dlg = show(ModalTag::kSelect);
    EXPECT_EQ(dlg->lstKEN()->count(), 0);
    dlg->cmdOK()->click();
    EXPECT_EQ(f.fi.session.TAG, ModalTag::kOK);

    f.addRecord(1, QStringLiteral("A"), true);
    auto again = show(ModalTag::kSelect);
    RecordFixture::clickLine(*again, 0);
    again->cmdABBRECHEN()->click();
    EXPECT_EQ(f.fi.session.TAG, ModalTag::kCancel);
    EXPECT_EQ(f.activeIds(), QList<long>{1});

    // Closing by the window leaves the mode letter, which callers take as Cancel.
    auto closed = show(ModalTag::kDelete);
    closed->close();
    EXPECT_EQ(f.fi.session.TAG, ModalTag::kDelete);
}

} // namespace
