#include "pagewindows/frmKONTEXT.h"

#include "pagewindows/ResultPage.h"
#include "platform/OnError.h"
#include "widgets/WaitCursor.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// Twips to pixels at the screen's logical resolution.
int twipsToPixels(double twips, const QWidget* w)
{
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return qRound(twips / 1440.0 * dpi);
}
} // namespace

frmKONTEXT::frmKONTEXT(ResultPage* page, QWidget* owner) : frmKONTEXTBase(page, owner)
{
    setObjectName(QStringLiteral("frmKONTEXT"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    // Form_Load: the dialog names the page it works on.
    setWindowTitle(QStringLiteral("Kontextmenü ") + (page ? page->Tag : QString()));

    m_chkBOKF = new QCheckBox(QStringLiteral("Kopf / Fußzeile darstellen"), this);
    m_chkBOKF->setObjectName(QStringLiteral("chkBOKF"));
    m_chkBOKFS = new QCheckBox(QStringLiteral("Seitennummerierung darstellen"), this);
    m_chkBOKFS->setObjectName(QStringLiteral("chkBOKFS"));
    const QString captions[2] = {QStringLiteral("Seitenfarbe"), QStringLiteral("Pictureboxfarben")};
    for (int i = 0; i < 2; ++i) {
        m_cmdFARBEN[i] = new QPushButton(captions[i], this);
        m_cmdFARBEN[i]->setObjectName(QStringLiteral("cmdFARBEN_%1").arg(i));
        m_cmdFARBEN[i]->setProperty("Index", i);
        m_cdlFARBEN[i].DialogTitle = captions[i];
        connect(m_cmdFARBEN[i], &QPushButton::clicked, this, [this, i] { cmdFARBEN_Click(i); });
    }
    // Enter goes through the key filter below, never to a default button
    m_cmdOK->setDefault(false);
    for (QPushButton* b : {m_cmdFARBEN[0], m_cmdFARBEN[1], m_cmdOK, m_cmdABBRECHEN}) b->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_chkBOKF, 0, 0);
    layout->addWidget(m_chkBOKFS, 1, 0);
    layout->addWidget(m_cmdFARBEN[0], 0, 1);
    layout->addWidget(m_cmdFARBEN[1], 1, 1);
    layout->setRowMinimumHeight(2, 8);
    layout->addWidget(m_cmdOK, 3, 0, Qt::AlignRight);
    layout->addWidget(m_cmdABBRECHEN, 3, 1);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_chkBOKF, &QCheckBox::clicked, this, &frmKONTEXT::chkBOKF_Click);

    // the form sees every key before its controls
    installEventFilter(this);
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

frmKONTEXT::~frmKONTEXT() = default;

void frmKONTEXT::place()
{
    if (isMinimized()) return;
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    move(origin + QPoint(twipsToPixels(1134, this), twipsToPixels(1984.5, this)));
    m_chkBOKF->setChecked(m_chkBOKF->property("Tag").toString() == QLatin1String("1"));
    m_chkBOKFS->setChecked(m_chkBOKFS->property("Tag").toString() == QLatin1String("1"));
    // page numbering belongs to the header and footer
    m_chkBOKFS->setEnabled(m_chkBOKF->isChecked());
}

void frmKONTEXT::chkBOKF_Click()
{
    m_chkBOKFS->setEnabled(m_chkBOKF->isChecked());
    m_chkBOKFS->setChecked(m_chkBOKF->isChecked());
}

void frmKONTEXT::cmdFARBEN_Click(int index) { cdlFARBEN(index).ShowColor(this); }

void frmKONTEXT::cmdOK_Click()
{
    if (m_page) {
        const WaitCursor busy;
        const short HBOKF = m_chkBOKF->isChecked() ? -1 : 0;
        const short HBOKFS = m_chkBOKFS->isChecked() ? -1 : 0;
        vb::OnError onError(windowTitle());
        onError([&] { m_page->KONTEXT(HBOKF, HBOKFS, m_cdlFARBEN[0].Color, m_cdlFARBEN[1].Color); });
    }
    done(QDialog::Accepted);
}

bool frmKONTEXT::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (mods != Qt::NoModifier) break;
        const QWidget* focus = QApplication::focusWidget();
        if (!focus || !isAncestorOf(focus)) focus = focusWidget();
        const QString name = focus ? focus->objectName() : QString();
        if (name == QLatin1String("txtFLX") || name == QLatin1String("msgFLX")) break;
        // a button takes Enter as its click
        if (qobject_cast<const QPushButton*>(focus)) {
            static_cast<QPushButton*>(const_cast<QWidget*>(focus))->click();
            return true;
        }
        focusNextChild();
        return true;
    }
    case Qt::Key_Escape:
        if (mods != Qt::NoModifier) break;
        cmdABBRECHEN_Click();
        return true;
    case Qt::Key_S:
        if (mods != Qt::ControlModifier) break;
        cmdOK_Click();
        return true;
    case Qt::Key_Q:
        if (mods != Qt::ControlModifier) break;
        if (quitCommand) quitCommand();
        return true;
    case Qt::Key_F1:
        if (helpCommand) helpCommand();
        return true;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}
