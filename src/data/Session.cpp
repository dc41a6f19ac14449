#include "data/Session.h"

#include "data/Schema.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QDir>

Session::Session() = default;
Session::~Session() = default;

// An installed package keeps its program folder under /usr; the frame program then hands over the user's
// own frame folder, where the working copies live (tools/morvant sets the variable).
QString Session::frameRoot() const
{
    const QString handedOver = qEnvironmentVariable("TALPEX_FRAME_ROOT");
    return handedOver.isEmpty() ? fso.GetParentFolderName(programFolder) : QDir::cleanPath(handedOver);
}

QString Session::DATENBANKPFAD() const
{
    return vb::GetSetting(QStringLiteral("MORVANT"), QStringLiteral("Extras"), QStringLiteral("Datenbankpfad"));
}

QString Session::XMDBPFAD() const
{
    const QString users = frameRoot() + QStringLiteral("/BENUTZER");
    const QString mine = users + QLatin1Char('/') + BENUTZER;
    // Best effort: a folder that cannot be made shows up as a failing copy later.
    try {
        fso.CreateFolder(users);
        fso.CreateFolder(mine);
    } catch (const vb::VBError&) {
    }
    return mine + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral(".mdb");
}

QString Session::projectDatabasePath() const
{
    return PROJEKTSPFAD + QLatin1Char('/') + PROJEKT + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral(".mdb");
}

void Session::requireWorkingCopyIdle() const
{
    const QString w = XMDBPFAD();
    for (const ado::Connection* cnn : {&cnnX, &cnnX_V})
        if (cnn->isOpen() && cnn->path() == w && cnn->transactionDepth() > 0)
            vb::Raise(vb::errFileLocked, QStringLiteral("The working copy is in the middle of a transaction."));
}

QString Session::emptyDatabasePath() const { return programFolder + QLatin1Char('/') + schema::kProgramTitle + QStringLiteral(".mdb"); }

short Session::languageOf(const QString& isoName)
{
    return isoName.compare(QStringLiteral("en"), Qt::CaseInsensitive) == 0 ? 1 : 3;
}
