#pragma once
// A small result page for tests: a diagram with axes drawn by clsGRAFIK from
// the G0 row of record 1 (Bild 11), a text strip (Bild 13) and header and
// footer texts, laid out like Seite 1; as a drawer and as a window.
#include "data/Session.h"
#include "graphics/clsGRAFIK.h"
#include "pages/PageDrawer.h"
#include "pagewindows/ResultPage.h"
#include "platform/VBError.h"

class TestDrawer : public PageDrawer {
public:
    explicit TestDrawer(Session& s, const QString& name = QStringLiteral("mdiSEITE1")) : PageDrawer(s), m_name(name) {}

    QVector<Box> boxes() const override
    {
        return {{QStringLiteral("picBILD11"), QRectF(15, 30, 110, 125)}, {QStringLiteral("picBILD13"), QRectF(128, 40, 112, 115)}};
    }
    void load() override
    {
        drawScreen();
        m_loaded = true;
    }
    QVector<Diagram> diagrams() override
    {
        return {{QStringLiteral("BILD11"), 0, 5, [this](short m, float dx, float dy, gfx::Surface* o) { BILD11(m, dx, dy, o); }},
                {QStringLiteral("BILD13"), 20, 10, [this](short m, float dx, float dy, gfx::Surface* o) { BILD13(m, dx, dy, o); }}};
    }
    void KOPFFUSSZEILE(short mode, gfx::Surface* object) override
    {
        gfx::Surface& s = mode == 1 ? *object : *pageSurface();
        s.CurrentX = 15;
        s.CurrentY = 8;
        s.Print(QStringLiteral("Kopfzeile Projekt DEMO"));
        s.CurrentX = 15;
        s.CurrentY = 195;
        s.Print(QStringLiteral("Fusszeile ") + m_name);
    }
    QString printTitle() const override { return QStringLiteral("Drucken von Seite 1"); }

    void BILD11(short mode, float dx, float dy, gfx::Surface* object)
    {
        if (failOnPaper == QLatin1String("BILD11") && mode == 1) vb::Raise(5, QStringLiteral("Testfehler"));
        clsGRAFIK g(session());
        g.setEID(1);
        g.setEIDOBJEKT(11);
        if (mode == 1) {
            g.setEOBJEKT(object);
            g.setEXDL(15 + dx);
            g.setEYDO(30 + dy);
            g.setELX(124);
            g.setELY(141);
        } else {
            boxSurface(0)->Cls();
            g.setEOBJEKT(boxSurface(0));
        }
        g.setEBOXMIN(rescale);
        g.setEBOXMAX(rescale);
        g.setEBOYMIN(rescale);
        g.setEBOYMAX(rescale);
        g.setELXMIN({0, 10, 20, 50, 100});
        g.setELXDIFF({10, 20, 50, 100});
        g.setELXIT({5, 5, 5, 5});
        g.setELXGIT({5, 5, 5, 5});
        g.setELXZL({5, 5, 5, 5});
        g.setELYMIN({0, 1e-7f, 5e-7f, 1e-6f});
        g.setELYDIFF({1e-7f, 5e-7f, 1e-6f});
        g.setELYIT({5, 5, 5});
        g.setELYGIT({5, 5, 5});
        g.setELYZL({5, 5, 5});
        g.setETEXTX(QStringLiteral("t [h]"));
        g.setETEXTY(QStringLiteral("k{t,2}10 [m/s]"));
        g.setESKZX(QStringLiteral("###0.0#"));
        g.setESKZY(QStringLiteral("0E-##"));
        QVector<float> x{0.5f, 2, 6, 14}, y{2e-7f, 3e-7f, 4e-7f, 3.5e-7f};
        if (rescale == -1) g.SKALEN(-1, x, y);
        else g.SKALEN(0);
        g.POLYGON(x, y, 4, 0, 0, QString(), 0, 0, 0);
        g.TEXT(11, 4, QStringLiteral("Zeitverlauf des Durchlässigkeitsbeiwertes"), 2, 0, 0, 0);
        g.TEXT(88, 12, QStringLiteral("n = 3"), 2, 0, 0, 0);
    }

    void BILD13(short mode, float dx, float dy, gfx::Surface* object)
    {
        gfx::Surface& s = mode == 1 ? *object : *boxSurface(1);
        const double left = mode == 1 ? 128 + dx : 0, top = mode == 1 ? 40 + dy : 0;
        if (mode == 0) s.Cls();
        s.CurrentX = left + 2;
        s.CurrentY = top + 2;
        s.Print(QStringLiteral("Kennzeichnung B1"));
        s.CurrentX = left + 2;
        s.CurrentY = top + 100;
        s.Print(QStringLiteral("* nicht auswertbar"));
    }

    short rescale = 0;
    QString failOnPaper; // a diagram that fails on the printer

protected:
    QString heading() const override { return QString(); }
    QStringList designations() const override { return {}; }
    QString comment() const override { return QString(); }

private:
    QString m_name;
};

class TestPage : public ResultPage {
public:
    explicit TestPage(Session& s, const QString& name = QStringLiteral("mdiSEITE1"), QWidget* parent = nullptr)
        : ResultPage(std::make_unique<TestDrawer>(s, name), parent)
    {
        setObjectName(name);
        Tag = QStringLiteral("Seite 1");
        resize(PageDrawer::sheetPixels(pixelsPerMm()));
    }
    TestDrawer& drawer() const { return static_cast<TestDrawer&>(pageDrawer()); }
};
