#include "shell/mdiAUTOSTART.h"

#include "data/Session.h"
#include "shell/Artwork.h"
#include "shell/clsADRESSE.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QProgressBar>

namespace {
QFont arial(int points, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Arial"), points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}
} // namespace

QString mdiAUTOSTART::titleText() { return QStringLiteral("Pervatum"); }
QString mdiAUTOSTART::subtitleText() { return QString(); }
QString mdiAUTOSTART::versionText(short sprache)
{
    return QStringLiteral("Version ") + Session::tr(sprache, QStringLiteral("Jänner 2002"), QStringLiteral("January 2002"));
}

mdiAUTOSTART::mdiAUTOSTART(short sprache, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("mdiAUTOSTART"));
    setWindowTitle(titleText());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    const clsADRESSE adr(sprache);
    m_fraKOPF = new QFrame(this);
    m_fraKOPF->setObjectName(QStringLiteral("fraKOPF"));
    m_fraKOPF->setFrameStyle(QFrame::Box | QFrame::Plain);
    const QString lines[4] = {
        adr.FIRMA1(),
        adr.PLZ() + QStringLiteral(", ") + adr.STR(),
        adr.chairLabel() + adr.VORSITZ(),
        adr.phoneLabel() + adr.TEL() + QStringLiteral(", ") +
            QStringLiteral("E-Mail: ") + adr.EMAIL() + QStringLiteral(", ") + QStringLiteral("Internet: ") + adr.URL(),
    };
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(lines[i], m_fraKOPF);
        l->setObjectName(QStringLiteral("lblKOPF_%1").arg(i));
        l->setFont(arial(i == 0 ? 11 : 9, i == 0));
        m_kopf[static_cast<size_t>(i)] = l;
    }
    m_logo = new QLabel(m_fraKOPF);
    m_logo->setObjectName(QStringLiteral("imgLOGO"));

    m_titel = new QLabel(titleText(), this);
    m_titel->setObjectName(QStringLiteral("lblTITEL"));
    m_titel->setFont(arial(54, true, true));
    m_titel->setStyleSheet(QStringLiteral("color: #1f4e79"));
    m_untertitel = new QLabel(subtitleText(), this);
    m_untertitel->setObjectName(QStringLiteral("lblUNTERTITEL"));
    m_untertitel->setFont(arial(18, true));
    m_dia = new QLabel(this);
    m_dia->setObjectName(QStringLiteral("imgDIA"));
    m_dia->setPixmap(Artwork::standpipeIllustration(260, 200));
    m_version = new QLabel(versionText(sprache), this);
    m_version->setObjectName(QStringLiteral("lblVERSION"));
    m_version->setFont(arial(10));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("pgbBERECHNEN"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->hide();

    for (QLabel* l : {m_titel, m_untertitel, m_dia, m_version}) l->adjustSize();
}

int mdiAUTOSTART::twips(double t) const { return qRound(t * logicalDpiX() / 1440.0); }

void mdiAUTOSTART::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    arrange();
}

void mdiAUTOSTART::arrange()
{
    const int W = width(), H = height();
    // Header: the four address lines on the left, the logo on the right.
    int lineTop = twips(60);
    for (QLabel* l : m_kopf) {
        l->adjustSize();
        l->move(twips(120), lineTop);
        lineTop += l->height();
    }
    const int frameW = qRound(0.98 * W);
    const int frameH = lineTop + twips(60);
    m_fraKOPF->setGeometry((W - frameW) / 2, twips(60), frameW, frameH);
    const int logoH = qRound(0.85 * frameH);
    const int logoTop = qRound(0.1 * frameH);
    m_logo->setPixmap(Artwork::makerLogo(logoH));
    m_logo->setGeometry(frameW - logoH - logoTop / 2, logoTop, logoH, logoH);

    m_titel->adjustSize();
    m_titel->move((W - m_titel->width()) / 2, qRound((H - m_titel->height()) / 2.75));
    m_untertitel->adjustSize();
    m_untertitel->move((W - m_untertitel->width()) / 2, m_titel->y() + qRound(1.15 * m_untertitel->height()));

    const int textH = m_version->fontMetrics().height();
    m_dia->move(W - m_dia->width() - twips(1000), H - m_dia->height() - twips(1000) + textH);
    m_version->move(twips(200), H - twips(1000));
    const int barH = m_progress->sizeHint().height();
    m_progress->setGeometry(twips(200), m_version->y() - 3 * barH, W / 4, barH);
}

bool mdiAUTOSTART::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::Close && !m_mayClose && qobject_cast<QMdiSubWindow*>(watched)) {
        e->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}
