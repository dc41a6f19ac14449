// The real message box: its buttons speak the session language and map back
// to VB's answers.
#include "widgets/GuiUi.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Once the next message box is up, notes its button captions and clicks the
// one captioned `caption`. Without such a button the box is closed all the
// same, so a wrong box fails the test instead of waiting for a user.
void answerNextBox(const QString& caption, QStringList& seen)
{
    auto* poll = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, tries, caption, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++*tries < 200) return;
            ADD_FAILURE() << "no message box appeared";
            poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        QAbstractButton* wanted = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            seen << b->text();
            if (b->text() == caption) wanted = b;
        }
        if (wanted) {
            wanted->click();
        } else {
            ADD_FAILURE() << "no button " << caption.toStdString();
            box->done(QMessageBox::NoButton);
        }
    });
    poll->start(10);
}

} // namespace

TEST(GuiUi, GermanButtonsAnswerAsVbDoes)
{
    vb::GuiUi gui;
    vb::SetGermanButtons(true);
    QStringList seen;
    answerNextBox("&Nein", seen);
    EXPECT_EQ(gui.msgBox("Speichern?", vb::vbYesNoCancel | vb::vbQuestion, "T"), vb::vbNo);
    EXPECT_TRUE(seen.contains("&Ja"));
    EXPECT_TRUE(seen.contains("Abbrechen"));
    // Qt's own dialogs, such as the file dialog of the logger import, too
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Suchen in:");

    vb::SetGermanButtons(false);
    seen.clear();
    answerNextBox("Cancel", seen);
    EXPECT_EQ(gui.msgBox("Save?", vb::vbOKCancel, "T"), vb::vbCancel);
    EXPECT_FALSE(seen.contains("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), "Look in:");
}
