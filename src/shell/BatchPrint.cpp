#include "shell/BatchPrint.h"

#include "data/Ado.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "evaluation/BatchArguments.h"
#include "evaluation/BatchEvaluate.h"
#include "evaluation/clsBERECHNEN.h"
#include "graphics/PrinterSurface.h"
#include "pages/ResultPage.h"
#include "pages/mdiMSEITE1.h"
#include "pages/mdiSEITE1.h"
#include "platform/Convert.h"
#include "platform/FileSystem.h"
#include "platform/MsgBox.h"
#include "platform/System.h"
#include "platform/VBError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace {

struct Options {
    QString project;
    QStringList records;
    bool multiple = false;
    QString pdf;
    std::optional<QString> presets;
};

QString parse(const QStringList& args, Options& o)
{
    BatchArguments a;
    const QString record = QStringLiteral("--record"), records = QStringLiteral("--records"),
                  pdf = QStringLiteral("--pdf"), presets = QStringLiteral("--presets");
    if (QString error = BatchArguments::parse(args, QStringLiteral("print"), {record, records, pdf, presets}, a);
        !error.isEmpty())
        return error;
    o.project = a.project;
    if (a.has(presets)) o.presets = a.value(presets);
    if (!a.has(record) && !a.has(records)) return QStringLiteral("--record KEN or --records KEN,KEN,... is missing");
    if (a.has(record) && a.has(records)) return QStringLiteral("give either --record or --records");
    o.multiple = a.has(records);
    o.records = o.multiple ? a.value(records).split(QLatin1Char(',')) : QStringList{a.value(record)};
    for (const QString& ken : o.records)
        if (ken.isEmpty()) return QStringLiteral("a record designation is empty");
    if (o.records.removeDuplicates() > 0) return QStringLiteral("a record is named twice");
    o.pdf = a.value(pdf);
    if (o.pdf.isEmpty()) return QStringLiteral("--pdf OUT.pdf is missing");
    return QString();
}

// Whether both names stand for one existing file (links and hard links included).
bool sameFile(const QString& a, const QString& b)
{
    struct stat sa {}, sb {};
    return !a.isEmpty() && ::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool validResults(ado::Connection& cnn, long id)
{
    ado::Recordset rs(QStringLiteral("SELECT [BONEU] FROM [A1] WHERE [ID]=%1").arg(id), cnn);
    return !rs.Eof() && !rs.Value(0).isNull() && !rs.Value(0).toBool();
}

void makeActive(ado::Connection& cnn, const QList<long>& ids)
{
    QStringList list;
    for (long id : ids) list << QString::number(id);
    ado::Transaction tx(cnn);
    cnn.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=0"));
    cnn.Execute(QStringLiteral("UPDATE [E1] SET [AKT]=1 WHERE [ID] IN (%1)").arg(list.join(QLatin1Char(','))));
    tx.commit();
}

// As the Calculate First command does: the record evaluated anew, its results
// marked valid once they are stored.
bool evaluate(ado::Connection& cnn, long id)
{
    makeActive(cnn, {id});
    // the record's display settings (range, axes) stay: the page is printed with them
    if (cnn.Execute(QStringLiteral("UPDATE [A1] SET [BONEU]=1 WHERE [ID]=%1").arg(id)) == 0)
        cnn.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (%1,1)").arg(id));
    clsBERECHNEN calc;
    return calc.BERECHNUNG();
}

QList<long> activeRecords(ado::Connection& cnn)
{
    QList<long> ids;
    for (ado::Recordset rs(QStringLiteral("SELECT [ID] FROM [E1] WHERE [AKT]=true AND [ID]>0 ORDER BY [ID]"), cnn); !rs.Eof();
         rs.MoveNext())
        ids << rs.Value(0).toInt();
    return ids;
}

// The rows of the multiple evaluation (record 0 and the M1 header) as the
// Evaluate menu and Calculate Multiple leave them, without a comment. A
// selection other than the project's own starts afresh, as a newly confirmed
// selection does, so no stale limits or comment are printed.
void prepareMultiple(ado::Connection& cnn, bool newSelection)
{
    ado::Transaction tx(cnn);
    if (newSelection) {
        cnn.Execute(QStringLiteral("DELETE FROM [E1] WHERE [ID]=0"));
        cnn.Execute(QStringLiteral("DELETE FROM [M1] WHERE [IDM]=1"));
        cnn.Execute(QStringLiteral("DELETE FROM [A1] WHERE [ID]=0"));
    }
    if (ado::Recordset(QStringLiteral("SELECT * FROM [E1] WHERE [ID]=0"), cnn).Eof())
        cnn.Execute(QStringLiteral("INSERT INTO [E1] ([ID],[KEN],[KOM],[AKT]) VALUES (0,'M','Mehrfachauswertung',0)"));
    if (ado::Recordset(QStringLiteral("SELECT * FROM [A1] WHERE [ID]=0"), cnn).Eof())
        cnn.Execute(QStringLiteral("INSERT INTO [A1] ([ID],[BONEU]) VALUES (0,1)"));
    if (ado::Recordset(QStringLiteral("SELECT * FROM [M1] WHERE [IDM]=1"), cnn).Eof())
        // labelled curves, as Calculate Multiple creates the row
        cnn.Execute(QStringLiteral("INSERT INTO [M1] ([IDM],[KOM],[BESCHR11]) VALUES (1,'',1)"));
    tx.commit();
}

} // namespace

QString BatchPrint::usage()
{
    return QStringLiteral("usage: talpex-batch print PROJECT_DB (--record KEN | --records KEN,KEN,...) --pdf OUT.pdf "
                          "[--presets PRESETS_DB]\n");
}

int BatchPrint::run(const QStringList& args, QTextStream& out, QTextStream& err, const PageFactory& pages)
{
    const auto fail = [&err](int code, const QString& text) {
        err << "talpex-batch: " << text << '\n';
        err.flush();
        return code;
    };
    if (args.size() == 2 && (args[1] == QLatin1String("--help") || args[1] == QLatin1String("-h"))) {
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
    const QFileInfo pdf(opts.pdf);
    if (!pdf.absoluteDir().exists())
        return fail(BadArguments, QStringLiteral("the folder of '%1' does not exist").arg(opts.pdf));
    // The page replaces the output file: it must not be one the run reads.
    for (const QString& input : QStringList{opts.project, opts.presets.value_or(QString())})
        if (sameFile(input, opts.pdf))
            return fail(BadArguments, QStringLiteral("'%1' is an input of this run; give the PDF another name").arg(opts.pdf));

    QTemporaryDir tmp;
    if (!tmp.isValid()) return fail(BadArguments, QStringLiteral("cannot create a temporary folder"));
    Session session;
    session.SPRACHE = Session::languageOf(vb::sys().localeLanguage());
    session.DEZIMALPUNKT = vb::sys().decimalSeparator();
    vb::SetDecimalSeparator(session.DEZIMALPUNKT);
    const QDir projectDir = QFileInfo(opts.project).absoluteDir();
    session.PROJEKT = projectDir.dirName();
    session.PROJEKTSPFAD = QFileInfo(projectDir.absolutePath()).absolutePath();
    session.BEARBEITER = vb::sys().loginName();
    session.developmentMode = !opts.presets; // presets from the project, as in development mode

    try {
        BatchEvaluate::openProjectCopy(opts.project, tmp.filePath(schema::kProgramTitle + QStringLiteral(".mdb")),
                                session.cnnX);
    } catch (const vb::VBError& e) {
        return fail(BadArguments, QStringLiteral("cannot open project database '%1': %2").arg(opts.project, e.Description()));
    }
    if (opts.presets) {
        try {
            BatchEvaluate::openCopy(*opts.presets, tmp.filePath(QStringLiteral("VORGABE.mdb")), session.cnnX_V);
        } catch (const vb::VBError& e) {
            return fail(BadArguments, QStringLiteral("cannot open presets database '%1': %2").arg(*opts.presets, e.Description()));
        }
    }

    QList<long> ids;
    QList<long> stale;
    QList<long> activeBefore;
    try {
        activeBefore = activeRecords(session.cnnX);
        for (const QString& ken : opts.records) {
            const long id = BatchEvaluate::findRecord(session.cnnX, ken);
            if (id == 0) return fail(BadArguments, QStringLiteral("no record '%1' in '%2'").arg(ken, opts.project));
            ids << id;
            if (!validResults(session.cnnX, id)) stale << id;
        }
    } catch (const vb::VBError& e) {
        return fail(BadArguments, QStringLiteral("'%1' is not a usable project database: %2").arg(opts.project, e.Description()));
    }

    vb::ScopedScriptedUi ui;
    ui->setEcho(true);
    try {
        for (long id : stale) {
            if (!evaluate(session.cnnX, id) || !ui->boxes().isEmpty())
                return fail(Failed, QStringLiteral("the evaluation of '%1' failed").arg(opts.records[ids.indexOf(id)]));
            // the single page still sees the fresh results as new and scales its diagrams to them
            if (opts.multiple)
                session.cnnX.Execute(QStringLiteral("UPDATE [A1] SET [BONEU]=0 WHERE [ID]=%1").arg(id));
        }
        makeActive(session.cnnX, ids);
        if (opts.multiple) {
            QList<long> wanted = ids;
            std::sort(wanted.begin(), wanted.end());
            prepareMultiple(session.cnnX, wanted != activeBefore);
        }
    } catch (const vb::VBError& e) {
        return fail(Failed, QStringLiteral("cannot prepare the records: %1").arg(e.Description()));
    }

    std::unique_ptr<ResultPage> page = pages ? pages(session, opts.multiple) : resultPage(session, opts.multiple);
    if (!page) return fail(Failed, QStringLiteral("the result page cannot be built"));
    // An existing file is replaced only by a complete page.
    try {
        vb::FileSystemObject().ReplaceFile(pdf.absoluteFilePath(), [&](const QString& temporary) {
            auto printer = gfx::PrinterSurface::pdfPrinter(temporary);
            const bool printed = page->DRUCKEN(*printer);
            printer.reset(); // finishes the file
            if (!printed || QFileInfo(temporary).size() == 0) vb::Raise(vb::errPathFileAccess, QStringLiteral("the page was not printed"));
        });
    } catch (const vb::VBError& e) {
        return fail(Failed, QStringLiteral("'%1' could not be written: %2").arg(opts.pdf, e.Description()));
    }
    page.reset();
    // the sheet is kept for a look, but the run did not go cleanly
    if (!ui->boxes().isEmpty()) return fail(Failed, QStringLiteral("the page reported failures"));
    return Success;
}

std::unique_ptr<ResultPage> BatchPrint::resultPage(Session& s, bool multiple)
{
    if (multiple) {
        auto page = std::make_unique<mdiMSEITE1>(s);
        page->Form_Load();
        return page;
    }
    auto page = std::make_unique<mdiSEITE1>(s);
    page->Form_Load();
    return page;
}
