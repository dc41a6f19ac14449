// The real message box: its buttons speak the session language and map back
// to VB's answers.
#include "platform/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

TEST(GuiUi, GermanButtonsAnswerAsVbDoes)
{
    vb::GuiUi gui;
    vb::SetGermanButtons(true);
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) seen << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "&Nein") b->click();
    });
    EXPECT_EQ(gui.msgBox("Speichern?", vb::vbYesNoCancel | vb::vbQuestion, "T"), vb::vbNo);
    EXPECT_TRUE(seen.contains("&Ja"));
    EXPECT_TRUE(seen.contains("Abbrechen"));

    vb::SetGermanButtons(false);
    seen.clear();
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) seen << b->text();
        box->button(QMessageBox::Cancel)->click();
    });
    EXPECT_EQ(gui.msgBox("Save?", vb::vbOKCancel, "T"), vb::vbCancel);
    EXPECT_FALSE(seen.contains("Abbrechen"));
}
