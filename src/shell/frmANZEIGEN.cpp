#include "shell/frmANZEIGEN.h"

#include "data/Session.h"
#include "shell/PageOutput.h"
#include "shell/frmMAIN.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

frmANZEIGEN::frmANZEIGEN(frmMAIN& main) : QDialog(&main), m_main(main)
{
    const Session& s = main.session();
    setObjectName(QStringLiteral("frmANZEIGEN"));
    setWindowTitle(s.tr(QStringLiteral("Anzeigen"), QStringLiteral("Show")));
    lblSEITEN[0] = new QLabel(s.tr(QStringLiteral("Vorhandene Seiten:"), QStringLiteral("Available Pages:")), this);
    lblSEITEN[1] = new QLabel(this);
    lblSEITE = new QLabel(s.tr(QStringLiteral("Anzeigen: "), QStringLiteral("Show Page Nr.: ")), this);
    txtSEITE = new QLineEdit(this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdABBRECHEN = new QPushButton(s.tr(QStringLiteral("Abbrechen"), QStringLiteral("Cancel")), this);
    lblSEITEN[0]->setObjectName(QStringLiteral("lblSEITEN0"));
    lblSEITEN[1]->setObjectName(QStringLiteral("lblSEITEN1"));
    lblSEITE->setObjectName(QStringLiteral("lblSEITE"));
    txtSEITE->setObjectName(QStringLiteral("txtSEITE"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdABBRECHEN->setObjectName(QStringLiteral("cmdABBRECHEN"));
    cmdOK->setDefault(true);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblSEITEN[0], 0, 0);
    grid->addWidget(lblSEITEN[1], 0, 1);
    grid->addWidget(lblSEITE, 1, 0);
    grid->addWidget(txtSEITE, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdABBRECHEN);
    grid->addLayout(buttons, 2, 0, 1, 2);

    // Load: the front page and the count of the pages loaded now
    const QList<ResultPage*> pages = PageOutput::pageList(main);
    txtSEITE->setText(QString::number(PageOutput::frontPage(main, pages)));
    lblSEITEN[1]->setText(QString::number(pages.size()));

    txtSEITE->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmANZEIGEN::cmdOK_Click);
    connect(cmdABBRECHEN, &QPushButton::clicked, this, &QDialog::close);
    setAttribute(Qt::WA_DeleteOnClose);
}

int frmANZEIGEN::pageCount() const { return PageOutput::pageList(m_main).size(); }

void frmANZEIGEN::txtSEITE_LostFocus()
{
    txtSEITE->setText(QString::number(PageOutput::normalisePage(txtSEITE->text(), pageCount())));
}

void frmANZEIGEN::cmdOK_Click()
{
    // the list as it is now: a page closed meanwhile cannot be chosen
    const QList<ResultPage*> pages = PageOutput::pageList(m_main);
    const int n = PageOutput::normalisePage(txtSEITE->text(), pages.size());
    txtSEITE->setText(QString::number(n));
    lblSEITEN[1]->setText(QString::number(pages.size()));
    if (!pages.isEmpty()) PageOutput::bringToFront(m_main, pages, n);
    close();
}

void frmANZEIGEN::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Activate: low on the right of the screen, the page number ready for typing
    adjustSize();
    if (const QScreen* screen = this->screen()) {
        const QRect r = screen->geometry();
        move(r.left() + static_cast<int>(r.width() - 1.5 * width()), r.top() + r.height() - 2 * height());
    }
    txtSEITE->setFocus();
    txtSEITE->setSelection(0, 1);
}

bool frmANZEIGEN::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtSEITE && event->type() == QEvent::FocusOut) txtSEITE_LostFocus();
    return QDialog::eventFilter(watched, event);
}
