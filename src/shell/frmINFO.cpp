#include "shell/frmINFO.h"

#include "data/Schema.h"
#include "data/Session.h"
#include "pages/ProgramTexts.h"
#include "shell/Artwork.h"
#include "shell/clsADRESSE.h"
#include "shell/mdiAUTOSTART.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString frmINFO::developers() { return ProgramTexts::developers(); }

QString frmINFO::creditsLine(const QString& prefix, const QString& names)
{
    QString list = names;
    if (list.size() > 50) {
        const qsizetype comma = list.indexOf(QLatin1Char(','), 49); // position 50, 1-based
        if (comma >= 0) list = list.left(comma) + QStringLiteral(" ...");
    }
    return prefix + list;
}

frmINFO::frmINFO(short sprache, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmINFO"));
    const auto tr = [sprache](const QString& german, const QString& english) { return Session::tr(sprache, german, english); };
    const clsADRESSE adr(sprache);
    setWindowTitle(tr(QStringLiteral("Info zu "), QStringLiteral("Info of ")) + schema::kProgramTitle);

    const QString geo[8] = {
        adr.FIRMA1(),
        adr.FIRMA2(),
        adr.PLZ() + QStringLiteral(", ") + adr.STR(),
        adr.chairLabel() + adr.VORSITZ(),
        adr.phoneLabel() + adr.TEL(),
        QStringLiteral("Fax: ") + adr.FAX(),
        QStringLiteral("E-Mail: ") + adr.EMAIL(),
        QStringLiteral("Internet: ") + adr.URL(),
    };
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString info[7] = {
        QStringLiteral("Orvalis"),
        mdiAUTOSTART::titleText(),
        mdiAUTOSTART::subtitleText(),
        QStringLiteral("(") + exe + QStringLiteral(")"),
        mdiAUTOSTART::versionText(sprache),
        ProgramTexts::copyright(sprache),
        creditsLine(tr(QStringLiteral("Programmentwicklung: "), QStringLiteral("Program developed by: ")), developers()),
    };

    auto* address = new QGroupBox(this);
    auto* addressLayout = new QVBoxLayout(address);
    for (int i = 0; i < 8; ++i) {
        auto* l = new QLabel(geo[i], address);
        l->setObjectName(QStringLiteral("lblGEO_%1").arg(i));
        if (i == 0) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        addressLayout->addWidget(l);
        m_geo[static_cast<size_t>(i)] = l;
    }
    auto* program = new QGroupBox(this);
    auto* programLayout = new QVBoxLayout(program);
    for (int i = 0; i < 7; ++i) {
        auto* l = new QLabel(info[i], program);
        l->setObjectName(QStringLiteral("lblINFO_%1").arg(i));
        l->setWordWrap(i >= 5);
        if (i == 1) {
            QFont f = l->font();
            f.setPointSize(f.pointSize() + 6);
            f.setBold(true);
            l->setFont(f);
        }
        programLayout->addWidget(l);
        m_info[static_cast<size_t>(i)] = l;
    }
    auto* logo = new QLabel(this);
    logo->setPixmap(Artwork::makerLogo(72));
    logo->setAlignment(Qt::AlignTop);

    m_close = new QPushButton(tr(QStringLiteral("Schließen"), QStringLiteral("Done")), this);
    m_close->setObjectName(QStringLiteral("cmdSCHLIESSEN"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::close);

    auto* top = new QHBoxLayout;
    top->addWidget(logo);
    top->addWidget(address, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(program);
    layout->addLayout(buttons);
    setMinimumWidth(460);
}
