#pragma once
// The data-access object through which forms and classes move values between
// one table and variables (the transfers to and from controls are
// widgets/ControlData.h), and the record index services on that
// table. One object per table; it binds at creation to the current record (the
// first E1 row whose AKT is true) and holds no open recordset between calls.
//
// Every transfer names the column SPV and up to four row keys (Keys): a column
// name with a value selects rows with "=" and is written into every row a
// writer writes; a column named without a value only orders the rows.
//
// Results: true on success. Failures are reported in the German "Datenfehler"
// boxes of this class through vb::MsgBox and give false.
#include "data/Ado.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <array>
#include <initializer_list>
#include <memory>
#include <functional>
#include <optional>
#include <type_traits>

class Session;
namespace vb {
class VBError;
}

// One row key SPIn/SPInW: a column name and an optional value.
struct RowKey {
    QString name;
    std::optional<QVariant> value; // nullopt: the column only orders the rows

    RowKey() = default;
    RowKey(const char* n) : name(QString::fromUtf8(n)) {}
    RowKey(const QString& n) : name(n) {}
    RowKey(const QString& n, const QVariant& v) : name(n), value(v) {}
    RowKey(const char* n, const QVariant& v) : name(QString::fromUtf8(n)), value(v) {}
    // Any number type (short, long, ...) as the value.
    template <typename T, typename = std::enable_if_t<std::is_arithmetic_v<T>>>
    RowKey(const char* n, T v) : name(QString::fromUtf8(n)), value(QVariant::fromValue(v)) {}
    template <typename T, typename = std::enable_if_t<std::is_arithmetic_v<T>>>
    RowKey(const QString& n, T v) : name(n), value(QVariant::fromValue(v)) {}
    bool used() const { return !name.isEmpty(); }
    bool hasValue() const { return used() && value.has_value(); }
};

// Up to four row keys SPI1 ... SPI4: {{"I1", 5}}, {{"I1"}}, {{"ID", 3}, {"I1"}}.
class Keys {
public:
    Keys() = default;
    Keys(std::initializer_list<RowKey> keys);
    const RowKey& operator[](int i) const { return m_keys[static_cast<size_t>(i)]; }
    RowKey& operator[](int i) { return m_keys[static_cast<size_t>(i)]; }
    static constexpr int size() { return 4; }

private:
    std::array<RowKey, 4> m_keys;
};

// One search criterion of IDKRIT: column SPF, optional value SPFW, operator SPO
// (corrected in place).
struct Criterion {
    QString SPF;
    std::optional<QVariant> SPFW;
    QString SPO;
};

class clsDATEN {
public:
    // Binds to the session's cnnX and the current record; a failure shows the
    // "Datenfehler" box and leaves ESPIDW at 0.
    explicit clsDATEN(Session& s);
    ~clsDATEN();
    clsDATEN(const clsDATEN&) = delete;
    clsDATEN& operator=(const clsDATEN&) = delete;

    // ---- properties
    QString ETABELLE() const { return m_ETABELLE; }
    void setETABELLE(const QString& v) { m_ETABELLE = v; }
    QString ESPID() const { return m_ESPID; }           // empty: no record condition
    void setESPID(const QString& v) { m_ESPID = v; }
    qint32 ESPIDW() const { return m_ESPIDW; }
    void setESPIDW(qint32 v) { m_ESPIDW = v; }
    QString ESPK1() const { return m_ESPK[0]; }
    void setESPK1(const QString& v) { m_ESPK[0] = v; }
    QString ESPK2() const { return m_ESPK[1]; }
    void setESPK2(const QString& v) { m_ESPK[1] = v; }
    QString ESPK3() const { return m_ESPK[2]; }
    void setESPK3(const QString& v) { m_ESPK[2] = v; }
    QString ESPK1W() const { return m_ESPKW[0]; }
    void setESPK1W(const QString& v) { m_ESPKW[0] = v; }
    QString ESPK2W() const { return m_ESPKW[1]; }
    void setESPK2W(const QString& v) { m_ESPKW[1] = v; }
    QString ESPK3W() const { return m_ESPKW[2]; }
    void setESPK3W(const QString& v) { m_ESPKW[2] = v; }
    // true: the presets connection cnnX_V (cnnX in development mode); false: cnnX.
    void setEBOV(bool v);
    QString EINFMDB() const { return m_EINFMDB; }
    // Opens <DATENBANKPFAD>/<name>.mdb (development mode: <PROJEKTSPFAD>/<PROJEKT>/<name>.mdb)
    // as this object's own connection. BOINF is true only when it really opened;
    // otherwise the previous connection stays.
    void setEINFMDB(bool& BOINF, const QString& name);
    ado::Connection& connection() const { return *m_cnn; }

    // ---- query builder: the selection text and the open recordset
    QString DTSQL(const QString& SPV, const Keys& keys = {}) const;
    std::unique_ptr<ado::Recordset> DT(const QString& SPV, const Keys& keys = {});

    // ---- variable to table: one value into the first matching row (others deleted)
    bool DVTA(const QString& SPV, const QDateTime& DTM, const Keys& keys = {});
    bool DVTB(const QString& SPV, bool BO, const Keys& keys = {});
    bool DVTT(const QString& SPV, const QString& TXT, const Keys& keys = {});
    bool DVTI(const QString& SPV, qint16 ZAHL, const Keys& keys = {});
    bool DVTL(const QString& SPV, qint32 ZAHL, const Keys& keys = {});
    bool DVTS(const QString& SPV, float ZAHL, const Keys& keys = {});
    bool DVTD(const QString& SPV, double ZAHL, const Keys& keys = {});
    bool DVTV(const QString& SPV, const QVariant& WERT, const Keys& keys = {});
    // arrays: element i into the i-th matching row; the set is replaced
    bool DVTBF(const QString& SPV, const QVector<bool>& BO, const Keys& keys = {});
    bool DVTTF(const QString& SPV, const QStringList& TXT, const Keys& keys = {});
    bool DVTIF(const QString& SPV, const QVector<qint16>& ZAHLEN, const Keys& keys = {});
    bool DVTSF(const QString& SPV, const QVector<float>& ZAHLEN, const Keys& keys = {});
    bool DVTVF(const QString& SPV, const QVariantList& FELD, const Keys& keys = {});

    // ---- table to variable: the first matching row; no row or null gives 0/false/""/zero date
    bool DTVA(const QString& SPV, QDateTime& DTM, const Keys& keys = {});
    bool DTVB(const QString& SPV, bool& BO, const Keys& keys = {});
    bool DTVT(const QString& SPV, QString& TXT, const Keys& keys = {});
    bool DTVI(const QString& SPV, qint16& ZAHL, const Keys& keys = {});
    bool DTVL(const QString& SPV, qint32& ZAHL, const Keys& keys = {});
    bool DTVS(const QString& SPV, float& ZAHL, const Keys& keys = {});
    bool DTVD(const QString& SPV, double& ZAHL, const Keys& keys = {});
    bool DTVV(const QString& SPV, QVariant& WERT, const Keys& keys = {});
    // arrays: the caller sizes the array; row i fills element i (never beyond
    // the array); a null value leaves the element unchanged
    bool DTVAF(const QString& SPV, QVector<QDateTime>& DTM, const Keys& keys = {});
    bool DTVBF(const QString& SPV, QVector<bool>& BO, const Keys& keys = {});
    bool DTVTF(const QString& SPV, QStringList& TXT, const Keys& keys = {});
    bool DTVIF(const QString& SPV, QVector<qint16>& ZAHLEN, const Keys& keys = {});
    bool DTVSF(const QString& SPV, QVector<float>& ZAHLEN, const Keys& keys = {});
    bool DTVVF(const QString& SPV, QVariantList& FELD, const Keys& keys = {});
    // all non-null values; COL is replaced only when at least one row matches
    bool DTVCOL(const QString& SPV, QVariantList& COL, const Keys& keys = {});

    // ---- record index and identity services
    // The last named key is the index column; the keys before it are conditions.
    // No row: 0, 0, 0.
    void INDEX(qint16& MINI, qint16& MAXI, qint16& AN, const Keys& keys);
    void INDEXL(qint32& MINI, qint32& MAXI, qint32& AN, const Keys& keys);
    void INDEXV(QVariant& MINI, QVariant& MAXI, qint16& AN, const Keys& keys);
    QString INDEXSQL(const Keys& keys) const;
    // Record keys (LID) or designations (LKEN) of the active (AKT true, by ID) or
    // all (by KEN) records, without record 0; the array stays when none exists.
    // Failures are raised as vb::VBError to the caller.
    void LID(QVector<qint32>& ID, bool AKT);
    void LKEN(QStringList& KEN, bool AKT);
    // Deletes the matching rows of the record (the fourth key is not used).
    bool LOESCHEN(const Keys& keys);
    // Records matching up to four criteria; operators corrected in place.
    // false and IDKR unchanged when none matches.
    bool IDKRIT(QVector<qint32>& IDKR, QList<Criterion>& criteria);
    QString IDKRITSQL(QList<Criterion>& criteria) const;

protected:
    // For the transfers that build on these (the control transfers).
    bool readFirst(const QString& SPV, const Keys& keys, QVariant& value, bool* found = nullptr, vb::VBError* error = nullptr);
    bool readAll(const QString& SPV, const Keys& keys, QVariantList& values, vb::VBError* error = nullptr);
    bool write(const QString& SPV, const QVariantList& values, const Keys& keys, vb::VBError* error = nullptr);
    bool writeOne(const QString& SPV, const QVariant& value, const Keys& keys);
    bool writeArray(const QString& SPV, const QVariantList& values, const Keys& keys);
    template <typename T, typename Conv>
    bool readOne(const QString& SPV, T& out, const Keys& keys, Conv conv);
    template <typename Vec, typename Conv>
    bool readArray(const QString& SPV, Vec& out, const Keys& keys, Conv conv);
    void readerFailed(const QString& SPV, const QVariant& value) const;
    void writerFailed(const QString& SPV, const QVariant& value) const;
    void arrayWriterFailed(const QString& SPV) const;
    QString arrayReaderText(const QString& SPV, const vb::VBError& e) const;
    bool askContinue(const QString& text) const; // OK/Cancel "Datenfehler" box; false on Cancel
    void pump(); // lets pending window events run, at most every few milliseconds

private:
    QString m_ETABELLE = QStringLiteral("E1");
    QString m_ESPID = QStringLiteral("ID");
    qint32 m_ESPIDW = 0;
    std::array<QString, 3> m_ESPK;
    std::array<QString, 3> m_ESPKW;
    QString m_EINFMDB;
    Session* m_s;
    ado::Connection* m_cnn = nullptr;
    std::unique_ptr<ado::Connection> m_own; // opened through EINFMDB
    qint64 m_lastPump = -1;
};
