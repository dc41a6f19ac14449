#include "evaluation/BatchEvaluate.h"

#include "evaluation/BatchArguments.h"
#include "data/Ado.h"
#include "data/DatabaseFile.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "evaluation/clsBERECHNEN.h"
#include "platform/MsgBox.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <charconv>
#include <optional>

namespace {

struct Options {
    QString project;
    QString record;
    std::optional<QString> presets;
};

// Fills opts from the arguments; an error text when they do not fit.
QString parse(const QStringList& args, Options& opts)
{
    BatchArguments a;
    const QString record = QStringLiteral("--record"), presets = QStringLiteral("--presets");
    if (QString error = BatchArguments::parse(args, QStringLiteral("evaluate"), {record, presets}, a); !error.isEmpty())
        return error;
    opts.project = a.project;
    if (a.has(presets)) opts.presets = a.value(presets);
    if (!a.has(record)) return QStringLiteral("--record KEN is missing");
    opts.record = a.value(record);
    if (opts.record.isEmpty()) return QStringLiteral("the record designation is empty");
    return QString();
}

QString field(const QVariant& v, bool integer)
{
    if (v.isNull()) return QString();
    return integer ? QString::number(v.toLongLong()) : BatchEvaluate::number(v.toFloat());
}

void printResults(ado::Connection& cnn, long id, QTextStream& out)
{
    ado::Recordset rs(QStringLiteral("SELECT [I1],[PHI],[DETN],[K10],[DEHKO] FROM [A2] WHERE [ID]=%1 ORDER BY [I1]").arg(id), cnn);
    out << "I1,PHI,DETN,K10,DEHKO\n";
    for (; !rs.Eof(); rs.MoveNext()) {
        out << field(rs.Value(0), true);
        for (int c = 1; c <= 4; ++c) out << ',' << field(rs.Value(c), false);
        out << '\n';
    }
    out.flush();
}

} // namespace

QString BatchEvaluate::usage()
{
    return QStringLiteral("usage: talpex-batch evaluate PROJECT_DB --record KEN [--presets PRESETS_DB]\n");
}

void BatchEvaluate::openCopy(const QString& source, const QString& copy, ado::Connection& cnn)
{
    if (!QFileInfo(source).isFile()) vb::Raise(vb::errFileNotFound, QStringLiteral("file not found"));
    dbfile::copy(source, copy);
    cnn.OpenFile(copy);
}

long BatchEvaluate::findRecord(ado::Connection& cnn, const QString& ken)
{
    ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [KEN]='") + sqlText(ken) + QLatin1Char('\''), cnn);
    for (; !rs.Eof(); rs.MoveNext())
        if (rs.Value(0).toLongLong() > 0) return rs.Value(0).toInt();
    return 0;
}

QString BatchEvaluate::number(float v)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, res.ptr - buf);
}

int BatchEvaluate::run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const auto fail = [&err](int code, const QString& text) {
        err << "talpex-batch: " << text << '\n';
        err.flush();
        return code;
    };
    if (args.size() == 1 && (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
        out << usage();
        out.flush();
        return Success;
    }
    Options opts;
    if (const QString problem = parse(args, opts); !problem.isEmpty()) {
        err << "talpex-batch: " << problem << '\n' << usage();
        err.flush();
        return BadArguments;
    }

    QTemporaryDir tmp;
    if (!tmp.isValid()) return fail(BadArguments, QStringLiteral("cannot create a temporary folder"));
    Session session;
    session.SPRACHE = Session::languageOf(vb::sys().localeLanguage());
    // Without a presets database the presets table comes from the project, as in development mode.
    session.developmentMode = !opts.presets;

    try {
        openCopy(opts.project, tmp.filePath(schema::kProgramTitle + QStringLiteral(".mdb")), session.cnnX);
    } catch (const vb::VBError& e) {
        return fail(BadArguments, QStringLiteral("cannot open project database '%1': %2").arg(opts.project, e.Description()));
    }
    if (opts.presets) {
        try {
            openCopy(*opts.presets, tmp.filePath(QStringLiteral("VORGABE.mdb")), session.cnnX_V);
        } catch (const vb::VBError& e) {
            return fail(BadArguments, QStringLiteral("cannot open presets database '%1': %2").arg(*opts.presets, e.Description()));
        }
    }

    long id = 0;
    try {
        id = findRecord(session.cnnX, opts.record);
        if (id == 0) return fail(BadArguments, QStringLiteral("no record '%1' in '%2'").arg(opts.record, opts.project));
        // The evaluation works on the active record: make it the only one.
        ado::Transaction tx(session.cnnX);
        session.cnnX.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
        session.cnnX.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [ID]=%1").arg(id));
        tx.commit();
    } catch (const vb::VBError& e) {
        return fail(BadArguments, QStringLiteral("'%1' is not a usable project database: %2").arg(opts.project, e.Description()));
    }

    vb::ScopedScriptedUi ui;
    ui->setEcho(true);
    clsBERECHNEN calc;
    const bool ok = calc.BERECHNUNG();
    const bool boxes = !ui->boxes().isEmpty();

    try {
        printResults(session.cnnX, id, out);
    } catch (const vb::VBError& e) {
        return fail(EvaluationFailed, QStringLiteral("cannot read the results: %1").arg(e.Description()));
    }
    if (!ok) return fail(EvaluationFailed, QStringLiteral("the evaluation of '%1' failed").arg(opts.record));
    if (boxes) return fail(EvaluationFailed, QStringLiteral("the evaluation of '%1' reported failures").arg(opts.record));
    return Success;
}
