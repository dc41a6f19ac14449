#include "pages/mdiMSEITE1.h"

#include "data/Ado.h"
#include "data/Session.h"
#include "data/clsDATEN.h"
#include "graphics/clsGRAFIK.h"
#include "graphics/clsKOPFFUSS.h"
#include "widgets/PictureBox.h"
#include "pages/PermeabilityAxes.h"
#include "pages/ProgramTexts.h"
#include "platform/OnError.h"
#include "platform/System.h"

#include <QDate>
#include <QTime>
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
    void set(const QString& column, const QVariant& v) { ResultPage::requireStored(m_g0.DVTV(column, v, m_keys)); }

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

mdiMSEITE1::mdiMSEITE1(Session& s, QWidget* parent)
    : ResultPage(s, parent), m_picBILD110(new gfx::PictureBox(this)), m_picBILD120(new gfx::PictureBox(this))
{
    setObjectName(QStringLiteral("mdiMSEITE1"));
    Tag = QStringLiteral("MSeite 1");
    setWindowTitle(Tag);
    m_picBILD110->setObjectName(QStringLiteral("picBILD110"));
    m_picBILD120->setObjectName(QStringLiteral("picBILD120"));
}

mdiMSEITE1::~mdiMSEITE1() = default;

short mdiMSEITE1::symbolType(int k) { return static_cast<short>(k <= 6 ? k : (k - 7) % 8); }

QString mdiMSEITE1::heading() { return QStringLiteral("Durchlässigkeitsversuche mit Standrohren"); }

QList<gfx::PictureBox*> mdiMSEITE1::pictureBoxes() const { return {m_picBILD110, m_picBILD120}; }

QVector<ResultPage::Diagram> mdiMSEITE1::diagrams()
{
    return {
        {QStringLiteral("BILD110"), 0, 5, [this](short m, float x, float y, gfx::Surface* o) { BILD110(m, x, y, o); }},
        {QStringLiteral("BILD120"), 0, 5, [this](short m, float x, float y, gfx::Surface* o) { BILD120(m, x, y, o); }},
    };
}

QStringList mdiMSEITE1::recordsWithoutResults() const
{
    QStringList missing;
    for (int k = 0; k < m_series.size() && k < m_KEN.size(); ++k)
        if (!m_series[k].hasResults()) missing << m_KEN[k];
    return missing;
}

void mdiMSEITE1::layoutBoxes()
{
    // Drawn before it is shown: the caller sizes the page as the maximised
    // child; unsized, it gets a landscape A4 sheet.
    const double px = pixelsPerMm();
    const auto pixels = [px](double mm) { return static_cast<int>(std::lround(mm * px)); };
    if (!testAttribute(Qt::WA_Resized)) resize(pixels(297), pixels(210));
    m_picBILD110->setGeometry(pixels(kLeft110), pixels(kTop), pixels(kWidth), pixels(kHeight));
    m_picBILD120->setGeometry(pixels(kLeft120), pixels(kTop), pixels(kWidth), pixels(kHeight));
}

void mdiMSEITE1::readRecords()
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

void mdiMSEITE1::Form_Load()
{
    layoutBoxes();
    m_HBOKF = -1;
    m_HBOKFS = -1;
    setProgress(5);
    vb::OnError onError(Tag);
    if (!onError([&] { readRecords(); })) return;
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

void mdiMSEITE1::resizeEvent(QResizeEvent* event)
{
    // drawn before it was shown: header and footer follow the page's final size
    ResultPage::resizeEvent(event);
    if (!m_loaded) return;
    Cls();
    if (m_HBOKF == -1) KOPFFUSSZEILE(0, nullptr);
}

void mdiMSEITE1::KOPFFUSSZEILE(short mode, gfx::Surface* object)
{
    vb::OnError onError(QStringLiteral("Kopffusszeile"));
    onError([&] {
        if (!m_kopffuss) m_kopffuss = std::make_unique<clsKOPFFUSS>();
        clsKOPFFUSS& kf = *m_kopffuss;
        gfx::Surface* surface = mode == 1 ? object : static_cast<gfx::Surface*>(this);
        if (!surface) return;
        kf.setAUSGABEOBJEKT(surface, surface);
        // on screen the diagrams sit 5 mm higher than on paper: the header
        // moves up so that its comment line stays clear of them
        if (mode != 1) kf.setRANDABSTAND(QStringLiteral("oben"), 10);
        kf.setBEARBEITER(m_s.BEARBEITER);
        kf.setCOPYRIGHT(ProgramTexts::copyright(3));
        kf.setPROGRAMMIERER(ProgramTexts::maker(3));
        kf.setEBOKFS(m_HBOKFS == -1);
        kf.setKENNZEICHNUNG(m_KEN);
        kf.setDATUM(QDate::currentDate());
        kf.setKOMMENTAR(m_KOM);
        kf.setSEITE(1);
        kf.setSEITENANZAHL(1);
        kf.setUEBERSCHRIFT(heading());
        kf.setPROJEKT(m_s.PROJEKT);
        kf.setSPRACHE(3);
        kf.setUHRZEIT(QTime::currentTime());
        kf.KOPFFUSSZEILE();
    });
}


void mdiMSEITE1::drawTitle(clsGRAFIK& g, const QString& title) const
{
    g.SCHRIFTEINSTELLUNGEN(QString(), 10, 0, 0, 0, 0);
    g.TEXT(11, 4, title, 2, 0, 0, 0);
    g.SCHRIFTEINSTELLUNGEN(QString(), 0, 0, 0, 0, 0);
}

void mdiMSEITE1::BILD110(short mode, float dx, float dy, gfx::Surface* object)
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
            g0.set(QStringLiteral("OX"), 1);
            g0.set(QStringLiteral("MX"), 0.f);
            g0.set(QStringLiteral("MY"), 0.f);
            g0.set(QStringLiteral("OY"), 1);
            g0.set(QStringLiteral("RL"), 11.f);
            g0.set(QStringLiteral("RR"), 12.f);
            g0.set(QStringLiteral("RO"), 10.f);
            g0.set(QStringLiteral("RU"), 11.f);
            g0.set(QStringLiteral("MYMX"), 0.f);
            tx.commit();
        }))
        return;

    if (!onError([&] {
            if (mode != 1) m_picBILD110->Cls();
            m_g110 = newDiagram(0, kBild110, m_picBILD110, QPointF(kLeft110, kTop), mode, dx, dy, object, kPaperDiagram);
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

void mdiMSEITE1::BILD120(short mode, float dx, float dy, gfx::Surface* object)
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
    if (!onError([&] {
            if (mode != 1) m_picBILD120->Cls();
            g = newDiagram(0, kBild120, m_picBILD120, QPointF(kLeft120, kTop), mode, dx, dy, object, kPaperDiagram);
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
