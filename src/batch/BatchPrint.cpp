#include "batch/BatchPrint.h"

#include "batch/BatchArguments.h"
#include "batch/BatchRun.h"
#include "data/Ado.h"
#include "data/Session.h"
#include "evaluation/EvaluationRows.h"
#include "evaluation/clsBERECHNEN.h"
#include "graphics/PrinterSurface.h"
#include "pages/MSeite1Drawer.h"
#include "pages/Seite1Drawer.h"
#include "platform/FileSystem.h"
#include "platform/VBError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QTextStream>
#include <algorithm>
#include <optional>
#include <sys/stat.h>

namespace {

constexpr double kScreenDpi = 96;

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

// The active user records in ID order.
QVector<qint32> activeUserRecords(ado::Connection& cnn)
{
    QVector<qint32> ids;
    for (qint32 id : EvaluationRows::activeRecords(cnn))
        if (id > 0) ids << id;
    std::sort(ids.begin(), ids.end());
    return ids;
}

// As Calculate First does: the record evaluated anew, its switches kept.
bool evaluate(Session& s, qint32 id)
{
    EvaluationRows::makeActive(s.cnnX, {id});
    EvaluationRows::markNotEvaluated(s.cnnX, id);
    clsBERECHNEN calc(s);
    return calc.BERECHNUNG();
}

// The rows of the multiple evaluation as the Evaluate menu and Calculate
// Multiple leave them; a project without them gets them without a comment.
// The page's stored switches (labels, grids, logarithmic axis) and comment
// are printed as the window shows them; limits stored for other records
// than these are found afresh.
void prepareMultiple(ado::Connection& cnn, bool newSelection)
{
    ado::Transaction tx(cnn);
    EvaluationRows::ensureMultipleRecord(cnn);
    EvaluationRows::ensureMultipleHeader(cnn, {});
    if (newSelection) EvaluationRows::markNotEvaluated(cnn, 0);
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
    BatchRun run(out, err, usage());
    if (run.help(args)) return Success;
    Options opts;
    if (const QString problem = parse(args, opts); !problem.isEmpty()) return run.badArguments(problem);
    const QFileInfo pdf(opts.pdf);
    if (!pdf.absoluteDir().exists())
        return run.fail(BadArguments, QStringLiteral("the folder of '%1' does not exist").arg(opts.pdf));
    // The page replaces the output file: it must not be one the run reads.
    for (const QString& input : QStringList{opts.project, opts.presets.value_or(QString())})
        if (sameFile(input, opts.pdf))
            return run.fail(BadArguments, QStringLiteral("'%1' is an input of this run; give the PDF another name").arg(opts.pdf));
    if (const int code = run.open(opts.project, opts.presets)) return code;
    Session& session = run.session();
    ado::Connection& cnnX = session.cnnX;

    QVector<qint32> ids;
    QVector<qint32> stale;
    QVector<qint32> activeBefore;
    try {
        activeBefore = activeUserRecords(cnnX);
        for (const QString& ken : opts.records) {
            const auto id = static_cast<qint32>(BatchRun::findRecord(cnnX, ken));
            if (id == 0) return run.fail(BadArguments, QStringLiteral("no record '%1' in '%2'").arg(ken, opts.project));
            if (const int code = run.requireStandpipe(id, ken)) return code;
            ids << id;
            if (!EvaluationRows::hasValidResults(cnnX, id)) stale << id;
        }
    } catch (const vb::VBError& e) {
        return run.fail(BadArguments,
                        QStringLiteral("'%1' is not a usable project database: %2").arg(opts.project, e.Description()));
    }

    try {
        for (qint32 id : std::as_const(stale)) {
            if (!evaluate(run.session(), id) || run.boxes() > 0)
                return run.fail(Failed, QStringLiteral("the evaluation of '%1' failed").arg(opts.records[ids.indexOf(id)]));
            // the single page still sees the fresh results as new and scales its diagrams to them
            if (opts.multiple) EvaluationRows::markEvaluated(cnnX, id);
        }
        EvaluationRows::makeActive(cnnX, ids);
        if (opts.multiple) {
            QVector<qint32> wanted = ids;
            std::sort(wanted.begin(), wanted.end());
            prepareMultiple(cnnX, wanted != activeBefore);
        }
    } catch (const vb::VBError& e) {
        return run.fail(Failed, QStringLiteral("cannot prepare the records: %1").arg(e.Description()));
    }

    std::unique_ptr<PageDrawer> page = pages ? pages(session, opts.multiple) : resultPage(session, opts.multiple);
    if (!page) return run.fail(Failed, QStringLiteral("the result page cannot be built"));
    // An existing file is replaced only by a complete page.
    try {
        vb::FileSystemObject().ReplaceFile(pdf.absoluteFilePath(), [&](const QString& temporary) {
            auto printer = gfx::PrinterSurface::pdfWriter(temporary);
            const bool printed = page->print(*printer);
            printer.reset(); // finishes the file
            if (!printed || QFileInfo(temporary).size() == 0) vb::Raise(vb::errPathFileAccess, QStringLiteral("the page was not printed"));
        });
    } catch (const vb::VBError& e) {
        return run.fail(Failed, QStringLiteral("'%1' could not be written: %2").arg(opts.pdf, e.Description()));
    }
    page.reset();
    // the sheet is kept for a look, but the run did not go cleanly
    if (run.boxes() > 0) return run.fail(Failed, QStringLiteral("the page reported failures"));
    return Success;
}

std::unique_ptr<PageDrawer> BatchPrint::resultPage(Session& s, bool multiple)
{
    std::unique_ptr<PageDrawer> page;
    if (multiple) page = std::make_unique<MSeite1Drawer>(s);
    else page = std::make_unique<Seite1Drawer>(s);
    // the screen of an ordinary window: the limits found on it are the ones the program finds
    page->useOffscreenScreen(kScreenDpi / 25.4);
    page->load();
    return page;
}
