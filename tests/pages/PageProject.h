#pragma once
// What the page tests start from: a session on a new project database whose
// presets live in the project file (development mode) with the standpipe
// "SR 300/20", scripted message boxes and system service.
#include "common/TestSupport.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "platform/Convert.h"
#include "platform/MsgBox.h"
#include "platform/System.h"

#include <gtest/gtest.h>

class PageProject : public ::testing::Test {
protected:
    PageProject()
    {
        vb::SetDecimalSeparator(QStringLiteral(","));
        path = dir.file(QStringLiteral("TALPEX.mdb"));
        schema::createProjectDatabase(path);
        s.developmentMode = true;
        s.cnnX.OpenFile(path);
        exec("INSERT INTO [TALPEX_V1] ([I1],[STRO],[D1],[D2],[F],[A],[B],[C]) VALUES (0,'SR 300/20',300,20,2,0,0,0)");
    }

    void exec(const QString& sql) { s.cnnX.Execute(sql); }
    void exec(const char* sql) { s.cnnX.Execute(QString::fromUtf8(sql)); }

    testsupport::TempDir dir;
    QString path;
    vb::ScopedScriptedSystem sys;
    vb::ScopedScriptedUi ui;
    Session s;
};
