#include "exchange/InfExport.h"

#include "data/Ado.h"
#include "data/DataText.h"
#include "data/Session.h"
#include "data/clsDATEN.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"

InfExport::InfExport(Session& s)
    : BEARBEITER(s.BEARBEITER), DATUM(QDate::currentDate(), QTime(0, 0)), PROJ(s.PROJEKT), m_s(s),
      m_E1(std::make_unique<clsDATEN>(s)), m_A2(std::make_unique<clsDATEN>(s)), m_inf(std::make_unique<clsDATEN>(s))
{
    m_A2->setETABELLE(QStringLiteral("A2"));
}

InfExport::~InfExport() = default;

bool InfExport::open()
{
    bool found = false;
    m_inf->setEINFMDB(found, QStringLiteral("DOLMIR"));
    m_open = found;
    return found;
}

QVector<RecordLine> InfExport::projectRecords()
{
    QVector<RecordLine> lines;
    vb::OnError onError(QStringLiteral("Datenfehler"));
    onError([&] {
        for (const ProjectRecord& r : ::projectRecords(m_s.cnnX, RecordOrder::ById)) lines.append({r.id, r.ken});
    });
    return lines;
}

QVector<RecordLine> InfExport::infRecords()
{
    QVector<RecordLine> lines;
    if (!m_open) return lines;
    QVector<qint32> ids;
    m_inf->setETABELLE(QStringLiteral("E0"));
    QList<Criterion> ofProject{{QStringLiteral("PROJ"), QVariant(PROJ), QStringLiteral("=")},
                               {QStringLiteral("ID"), std::nullopt, QString()}};
    if (!m_inf->IDKRIT(ids, ofProject)) return lines;
    m_inf->setETABELLE(QStringLiteral("E1"));
    for (qint32 id : ids) {
        m_inf->setESPIDW(id);
        QString ken;
        m_inf->DTVT(QStringLiteral("KEN"), ken);
        lines.append({id, ken});
    }
    return lines;
}

std::optional<float> InfExport::lastK10(qint32 projectId)
{
    m_A2->setESPIDW(projectId);
    qint16 first = 0, last = 0, count = 0;
    m_A2->INDEX(first, last, count, {{"I1"}});
    if (count == 0) return std::nullopt;
    QVariantList k10(count);
    if (!m_A2->DTVVF(QStringLiteral("K10"), k10, {{"I1"}})) return std::nullopt;
    // The last row of a result holds the final head only, no K10.
    for (qsizetype i = k10.size() - 1; i >= 0; --i)
        if (k10[i].isValid() && !k10[i].isNull()) return datatext::toSingle(k10[i]);
    return std::nullopt;
}

bool InfExport::hasResults(qint32 projectId)
{
    if (lastK10(projectId)) return true;
    m_E1->setESPIDW(projectId);
    QString ken;
    m_E1->DTVT(QStringLiteral("KEN"), ken);
    vb::MsgBox(m_s.tr(QStringLiteral("Datensatz ") + ken + QStringLiteral(" ist nicht ausgewertet!"),
                      QStringLiteral("File ") + ken + QStringLiteral(" has not been evaluated!")),
               vb::vbOKOnly | vb::vbExclamation, QStringLiteral("Export Informationssystem"));
    return false;
}

std::optional<qint32> InfExport::exportRecord(qint32 projectId, std::optional<qint32> infId)
{
    if (!m_open || projectId <= 0 || !hasResults(projectId)) return std::nullopt;
    const float k10 = *lastK10(projectId);
    m_E1->setESPIDW(projectId);
    QString ken, kom;
    if (!m_E1->DTVT(QStringLiteral("KEN"), ken) || !m_E1->DTVT(QStringLiteral("KOM"), kom)) return std::nullopt;
    // One transaction on the one connection: a new ID is taken and used
    // before anyone else can take it, and a failed write leaves nothing behind.
    ado::Transaction tx(m_inf->connection());
    const qint32 id = infId ? *infId
                            : nextFreeId(m_inf->connection(), {QStringLiteral("E0"), QStringLiteral("E1"), QStringLiteral("E4_1")});
    if (!write(id, ken, kom, k10)) return std::nullopt;
    tx.commit();
    return id;
}

bool InfExport::write(qint32 infId, const QString& ken, const QString& kom, float k10)
{
    clsDATEN& inf = *m_inf;
    inf.setESPIDW(infId);
    inf.setETABELLE(QStringLiteral("E0"));
    if (!inf.DVTA(QStringLiteral("DATUM"), DATUM) || !inf.DVTI(QStringLiteral("QART"), 0)
        || !inf.DVTT(QStringLiteral("PROJ"), PROJ) || !inf.DVTT(QStringLiteral("QUELLE"), QUELLE)
        || !inf.DVTT(QStringLiteral("BEARBEITER"), BEARBEITER))
        return false;
    inf.setETABELLE(QStringLiteral("E1"));
    if (!inf.DVTT(QStringLiteral("KEN"), ken) || !inf.DVTT(QStringLiteral("KOM"), kom)) return false;
    inf.setETABELLE(QStringLiteral("E4_1"));
    return inf.DVTS(QStringLiteral("KF"), k10);
}
