#pragma once
// A session with an open project database (record 1 active), scripted
// message boxes, and helpers for G0 rows and diagram set-up.
#include "QtPrint.h"
#include "common/TestSupport.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "graphics/RecordingSurface.h"
#include "graphics/clsGRAFIK.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"

#include <gtest/gtest.h>

class GraphicsFixture : public ::testing::Test {
protected:
    GraphicsFixture()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        path = dir.file(QStringLiteral("TALPEX.mdb"));
        schema::createProjectDatabase(path);
        s.cnnX.OpenFile(path);
        testsupport::addRecord(s.cnnX, 1, QStringLiteral("B1"), true);
    }
    ~GraphicsFixture() override { vb::SetDecimalSeparator(QStringLiteral(",")); }

    // The G0 row of record 1 and a diagram: orientation, margins, scales.
    void setG0(short idObjekt, float RL, float RR, float RO, float RU, float MYMX = 0, float MX = 0, float MY = 0,
               short OX = 1, short OY = 1)
    {
        s.cnnX.Execute(QStringLiteral("DELETE FROM [G0] WHERE [ID]=1 AND [IDOBJEKT]=%1").arg(idObjekt));
        s.cnnX.Execute(QStringLiteral("INSERT INTO [G0] ([ID],[IDOBJEKT],[OX],[OY],[RL],[RR],[RO],[RU],[XMIN],[XMAX],"
                                      "[YMIN],[YMAX],[MYMX],[MX],[MY]) VALUES (1,%1,%2,%3,%4,%5,%6,%7,0,0,0,0,%8,%9,%10)")
                           .arg(idObjekt).arg(OX).arg(OY).arg(RL).arg(RR).arg(RO).arg(RU).arg(MYMX).arg(MX).arg(MY));
    }
    void setG0Limits(short idObjekt, float XMIN, float XMAX, float YMIN, float YMAX)
    {
        s.cnnX.Execute(QStringLiteral("UPDATE [G0] SET [XMIN]=%2,[XMAX]=%3,[YMIN]=%4,[YMAX]=%5 WHERE [ID]=1 AND [IDOBJEKT]=%1")
                           .arg(idObjekt).arg(XMIN).arg(XMAX).arg(YMIN).arg(YMAX));
    }
    QVariant g0(short idObjekt, const QString& column)
    {
        ado::Recordset rs(QStringLiteral("SELECT [%1] FROM [G0] WHERE [ID]=1 AND [IDOBJEKT]=%2").arg(column).arg(idObjekt), s.cnnX);
        return rs.Eof() ? QVariant() : rs.Value(0);
    }

    testsupport::TempDir dir;
    QString path;
    Session s;
    vb::ScopedScriptedUi ui;
};

// The texts drawn, as plain strings.
inline QStringList textsOf(const gfx::RecordingSurface& s)
{
    QStringList out;
    for (const gfx::DrawCall& c : s.texts()) out << c.text;
    return out;
}

inline const gfx::DrawCall* findText(const gfx::RecordingSurface& s, const QString& text)
{
    for (const gfx::DrawCall& c : s.calls())
        if (c.kind == gfx::DrawCall::Text && c.text == text) return &c;
    return nullptr;
}
