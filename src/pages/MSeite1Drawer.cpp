#include "pages/MSeite1Drawer.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "data/clsDATEN.h"
#include "graphics/clsGRAFIK.h"
#include "pages/G0Frame.h"
#include "pages/PermeabilityAxes.h"
#include "platform/OnError.h"
#include "platform/System.h"

#include <cmath>

namespace {

// Layout in millimetres.
constexpr float kTop = 30;
constexpr float kLeft110 = 15;
constexpr float kWidth = 117.5f;
constexpr float kHeight = 125;
constexpr float kGap = 5;
constexpr float kLeft120 = kLeft110 + kWidth + kGap;
// Diagram size on paper.
const QSizeF kPaperDiagram(124, 141);

constexpr short kBild110 = 110;
constexpr short kBild120 = 120;

// The switches of the multiple evaluation's settings row (M1, IDM 1).
struct M1Flags {
    short BESCHR11 = 0, GITT = 0, GITK10 = 0;
    bool LOGK10 = false;
};

M1Flags readM1Flags(Session& s)
{
    clsDATEN m1(s);
    m1.setETABELLE(QStringLiteral("M1"));
    m1.setESPID(QString());
    const Keys keys{{"IDM", 1}};
    M1Flags f;
    m1.DTVI(QStringLiteral("BESCHR11"), f.BESCHR11, keys);
    m1.DTVI(QStringLiteral("GITT"), f.GITT, keys);
    m1.DTVI(QStringLiteral("GITK10"), f.GITK10, keys);
    m1.DTVB(QStringLiteral("LOGK10"), f.LOGK10, keys);
    return f;
}

// The G0 settings row of a diagram of record 0.
class G0Settings {
public:
    G0Settings(Session& s, short idObjekt) : m_g0(s), m_keys{{"IDOBJEKT", static_cast<int>(idObjekt)}}
    {
        m_g0.setETABELLE(QStringLiteral("G0"));
        m_g0.setESPIDW(0);
    }
    clsDATEN& data() { return m_g0; }
    const Keys& keys() const { return m_keys; }
    bool exists()
    {
        auto rs = m_g0.DT(QStringLiteral("OX"), m_keys);
        return rs && !rs->Eof();
    }
    QVariant get(const QString& column)
    {
        QVariant v;
        m_g0.DTVV(column, v, m_keys);
        return v;
    }
    // inside the caller's transaction: a failed write ends it unfinished
    void set(const QString& column, const QVariant& v) { PageDrawer::requireStored(m_g0.DVTV(column, v, m_keys)); }

private:
    clsDATEN m_g0;
    Keys m_keys;
};

// Grid lines per range for a grid switch: every tick, or the frame only.
short grid(short on) { return on ? 5 : 1; }

void copyAxes(const clsGRAFIK& from, clsGRAFIK& to)
{
    to.setEAXEX(from.EAXEX());
    to.setEAXEY(from.EAXEY());
    to.setESKTX(from.ESKTX());
    to.setESKTY(from.ESKTY());
    to.setELXMIN(from.ELXMIN());
    to.setELXDIFF(from.ELXDIFF());
    to.setELXIT(from.ELXIT());
    to.setELXGIT(from.ELXGIT());
    to.setELXZL(from.ELXZL());
    to.setELYMIN(from.ELYMIN());
    to.setELYDIFF(from.ELYDIFF());
    to.setELYIT(from.ELYIT());
    to.setELYGIT(from.ELYGIT());
    to.setELYZL(from.ELYZL());
    to.setETEXTX(from.ETEXTX());
    to.setETEXTY(from.ETEXTY());
    to.setESKZX(from.ESKZX());
    to.setESKZY(from.ESKZY());
}


} // namespace

MSeite1Drawer::MSeite1Drawer(Session& s) : PageDrawer(s) {}

MSeite1Drawer::~MSeite1Drawer() = default;

short MSeite1Drawer::symbolType(int k) { return static_cast<short>(k <= 6 ? k : (k - 7) % 8); }

QString MSeite1Drawer::pageHeading() { return QStringLiteral("Durchlässigkeitsversuche mit Standrohren"); }

QVector<PageDrawer::Box> MSeite1Drawer::boxes() const
{
    return {{QStringLiteral("picBILD110"), QRectF(kLeft110, kTop, kWidth, kHeight)},
            {QStringLiteral("picBILD120"), QRectF(kLeft120, kTop, kWidth, kHeight)}};
}

QVector<PageDrawer::Diagram> MSeite1Drawer::diagrams()
{
    return {
        {QStringLiteral("BILD110"), 0, 5, [this](short m, float x, float y, gfx::Surface* o) { BILD110(m, x, y, o); }},
        {QStringLiteral("BILD120"), 0, 5, [this](short m, float x, float y, gfx::Surface* o) { BILD120(m, x, y, o); }},
    };
}

QStringList MSeite1Drawer::recordsWithoutResults() const
{
    QStringList missing;
    for (int k = 0; k < m_series.size() && k < m_KEN.size(); ++k)
        if (!m_series[k].hasResults()) missing << m_KEN[k];
    return missing;
}

void MSeite1Drawer::readRecords()
{
    m_ID.clear();
    m_KEN.clear();
    m_series.clear();
    clsDATEN e1(m_s);
    e1.setETABELLE(QStringLiteral("E1"));
    e1.LID(m_ID, true);
    e1.LKEN(m_KEN, true);

    clsDATEN a1(m_s);
    a1.setETABELLE(QStringLiteral("A1"));
    a1.setESPIDW(0);
    bool boneu = false;
    a1.DTVB(QStringLiteral("BONEU"), boneu);
    m_BONEU = boneu ? -1 : 0;

    clsDATEN m1(m_s);
    m1.setETABELLE(QStringLiteral("M1"));
    m1.setESPID(QString());
    m1.DTVT(QStringLiteral("KOM"), m_KOM, Keys{{"IDM", 1}});

    // Each record with its own key: the current record is only one of them.
    m_series.reserve(m_ID.size());
    for (qint32 id : std::as_const(m_ID)) m_series.append(ResultSeries::read(m_s.cnnX, id));
}

void MSeite1Drawer::load()
{
    resetHeaderFooter();
    setProgress(5);
    vb::OnError onError(QStringLiteral("MSeite 1"));
    // Without its records there is no page to go on with, whatever the answer.
    if (!onError([&] { readRecords(); }) || onError.failed()) return;
    KOPFFUSSZEILE(0, nullptr);
    vb::DoEvents();
    setProgress(40);
    BILD110();
    vb::DoEvents();
    setProgress(70);
    BILD120();
    vb::DoEvents();
    setProgress(95);
    m_BONEU = 0;
    m_loaded = true;
}

void MSeite1Drawer::drawTitle(clsGRAFIK& g, const QString& title) const
{
    g.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
    g.TEXT(11, 4, title, 2, 0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
}

void MSeite1Drawer::BILD110(short mode, float dx, float dy, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Bild 110"));
    M1Flags flags;
    // A diagram without a settings row has no limits to keep: it is scaled afresh.
    short rescale = m_BONEU;
    if (!onError([&] {
            flags = readM1Flags(m_s);
            G0Settings g0(m_s, kBild110);
            if (!g0.exists()) rescale = -1;
            // limits of a linear axis from 0 have no place on a logarithmic one
            if (flags.LOGK10 && !limitsFitLogarithmic(m_s.cnnX, 0, kBild110)) rescale = -1;
            m_scaled110 = rescale == -1;
            if (!m_scaled110) return;
            ado::Transaction tx(m_s.cnnX); // one write to disk for the whole row
            requireStored(G0Frame::writeDefaults(g0.data(), g0.keys()));
            tx.commit();
        }))
        return;

    if (!target(mode, boxSurface(0), object)) return;
    if (!onError([&] {
            if (mode != 1) boxSurface(0)->Cls();
            m_g110 = newDiagram(0, kBild110, boxSurface(0), QPointF(kLeft110, kTop), mode, dx, dy, object, kPaperDiagram);
            PermeabilityAxes::apply(*m_g110, grid(flags.GITT), grid(flags.GITK10), flags.LOGK10);
            setAutomaticLimits(*m_g110, rescale);
        }))
        return;
    clsGRAFIK& g = *m_g110;

    QVector<int> drawn; // list positions of the records with results
    for (int k = 0; k < m_series.size(); ++k)
        if (m_series[k].hasResults()) drawn.append(k);

    if (!onError([&] {
            if (rescale != -1) {
                g.SKALEN(0);
            } else if (drawn.isEmpty()) {
                g.SKALEN(-1); // nothing to show: the axes start at the lists' first entries
            } else {
                // the last call draws; a single record also keeps the limits stored before
                for (int p = 0; p < drawn.size(); ++p) {
                    const ResultSeries& r = m_series[drawn[p]];
                    const short nr = p == drawn.size() - 1 ? 3 : (p > 0 ? 2 : 1);
                    g.SKALEN(nr, r.T, r.K10);
                }
            }
        }))
        return;

    if (!onError([&] {
            for (int k : std::as_const(drawn)) {
                const ResultSeries& r = m_series[k];
                QVector<float> x = r.TM.mid(0, r.K10.size());
                QVector<float> y = r.K10.mid(0, x.size());
                g.POLYGON(x, y, static_cast<short>(std::min(r.AN, 32767)), symbolType(k), 0,
                          flags.BESCHR11 == 1 ? m_KEN.value(k) : QString(), 3, 0, -1);
            }
            g.LINIENEINSTELLUNGEN(0, 0, 0);
        }))
        return;

    onError([&] { drawTitle(g, QStringLiteral("Zeitverläufe der Durchlässigkeitsbeiwerte")); });
}

void MSeite1Drawer::BILD120(short mode, float dx, float dy, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Bild 120"));
    M1Flags flags;
    if (!onError([&] {
            flags = readM1Flags(m_s);
            G0Settings g120(m_s, kBild120);
            if (!m_scaled110 && g120.exists()) return;
            // the same scale as Bild 110, whose limits have just been found
            G0Settings g110(m_s, kBild110);
            ado::Transaction tx(m_s.cnnX);
            g120.set(QStringLiteral("OX"), 1);
            for (const char* column : {"MX", "MY", "XMIN", "XMAX", "YMIN", "YMAX", "OY", "RL", "RR", "RO", "RU", "MYMX"})
                g120.set(QString::fromLatin1(column), g110.get(QString::fromLatin1(column)));
            tx.commit();
        }))
        return;

    std::unique_ptr<clsGRAFIK> g;
    if (!target(mode, boxSurface(1), object)) return;
    if (!onError([&] {
            if (mode != 1) boxSurface(1)->Cls();
            g = newDiagram(0, kBild120, boxSurface(1), QPointF(kLeft120, kTop), mode, dx, dy, object, kPaperDiagram);
            if (m_g110) copyAxes(*m_g110, *g);
            else PermeabilityAxes::apply(*g, grid(flags.GITT), grid(flags.GITK10), flags.LOGK10);
            setAutomaticLimits(*g, 0);
            g->SKALEN(0);
        }))
        return;

    if (!onError([&] {
            for (int k = 0; k < m_series.size(); ++k) {
                const ResultSeries& r = m_series[k];
                if (!r.hasResults() || r.TM.size() < r.K10.size()) continue;
                // the last evaluated step: the end of the record's Bild 110 curve
                QVector<float> x{r.TM[r.K10.size() - 1]};
                QVector<float> y{r.K10.last()};
                g->POLYGON(x, y, 1, symbolType(k), 0, flags.BESCHR11 == 1 ? m_KEN.value(k) : QString(), 3, 0, -1);
            }
            g->LINIENEINSTELLUNGEN(0, 0, 0);
        }))
        return;

    onError([&] { drawTitle(*g, QStringLiteral("Durchlässigkeitsbeiwerte für die letzten Ablesungen")); });
}
