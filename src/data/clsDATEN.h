#pragma once
// The data-access object through which forms and classes move values between
// one table and variables or controls, and the record index services on that
// table. One object per table; it binds at creation to the current record (the
// first E1 row whose AKT is true) and holds no open recordset between calls.
//
// Every transfer names the column SPV and up to four row keys (Keys): a column
// name with a value selects rows with "=" and is written into every row a
// writer writes; a column named without a value only orders the rows.
//
// Results: true on success. Failures are reported in the German "Datenfehler"
// boxes of this class through vb::MsgBox and give false.
//
// Control arrays: a control's index within its array is its dynamic property
// "Index" (an int); without it, the number after the last '_' of its objectName
// (lblX_3 -> 3); a control with neither is not part of an array.
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

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
namespace vb {
class FlexGrid;
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
    // Binds to session().cnnX and the current record; a failure shows the
    // "Datenfehler" box and leaves ESPIDW at 0.
    clsDATEN();
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

    // ---- controls to table
    bool DFTC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});   // value 0/1/2 (16-bit)
    bool DFTCV(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DFTCC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});  // caption
    bool DFTO(const QString& SPV, QRadioButton* opt, const Keys& keys = {}); // value (boolean)
    bool DFTOV(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DFTOC(const QString& SPV, QRadioButton* opt, const Keys& keys = {}); // caption
    bool DFTT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});   // text
    bool DFTTT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});
    bool DFTL(const QString& SPV, QLabel* lbl, const Keys& keys = {});      // caption
    bool DFTLC(const QString& SPV, QLabel* lbl, const Keys& keys = {});
    bool DFTLI(const QString& SPV, QLabel* lbl, const Keys& keys = {});     // control-array index
    bool DFTI(const QString& SPV, QListWidget* lst, const Keys& keys = {}); // selected entry's text
    bool DFTIS(const QString& SPV, QListWidget* lst, const Keys& keys = {});
    bool DFTIL(const QString& SPV, QListWidget* lst, const Keys& keys = {}); // list index
    bool DFTM(const QString& SPV, QComboBox* cbo, const Keys& keys = {});   // text
    bool DFTMT(const QString& SPV, QComboBox* cbo, const Keys& keys = {});
    bool DFTML(const QString& SPV, QComboBox* cbo, const Keys& keys = {});  // list index
    bool DFTMS(const QString& SPV, QComboBox* cbo, const Keys& keys = {});  // selected entry's text
    // grid column SPNR (number as text) of every non-fixed row; a disabled grid
    // deletes the matching rows. Keys: SPI1..SPI3 with values, SPI4 orders only.
    bool DFTF(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {});
    bool DFTFM(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {});

    // ---- table to controls (null leaves the control; no row sets it from the empty value)
    bool DTFC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DTFCV(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DTFCC(const QString& SPV, QCheckBox* chk, const Keys& keys = {});
    bool DTFO(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DTFOV(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DTFOC(const QString& SPV, QRadioButton* opt, const Keys& keys = {});
    bool DTFT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});
    bool DTFTT(const QString& SPV, QLineEdit* txt, const Keys& keys = {});
    bool DTFL(const QString& SPV, QLabel* lbl, const Keys& keys = {});
    bool DTFLC(const QString& SPV, QLabel* lbl, const Keys& keys = {});
    bool DTFI(const QString& SPV, QListWidget* lst, const Keys& keys = {});  // adds the value as entry
    bool DTFIS(const QString& SPV, QListWidget* lst, const Keys& keys = {});
    bool DTFIL(const QString& SPV, QListWidget* lst, const Keys& keys = {}); // list index
    bool DTFM(const QString& SPV, QComboBox* cbo, const Keys& keys = {});    // sets the text
    bool DTFMS(const QString& SPV, QComboBox* cbo, const Keys& keys = {});   // adds the value as entry
    bool DTFML(const QString& SPV, QComboBox* cbo, const Keys& keys = {});   // list index
    // drop-down list (not editable): selects the first equal entry, none when
    // no entry matches; an editable combo box gets the value as its text
    bool DTFMT(const QString& SPV, QComboBox* cbo, const Keys& keys = {});
    // appends the value of every matching row as an entry (the list is not cleared)
    bool DTFMM(const QString& SPV, QComboBox* cbo, const Keys& keys = {});
    // table column into grid column SPNR from row max(FixedRows, ZNR + 1 when
    // FixedRows < ZNR); no row: the grid is disabled and greyed (success)
    bool DTFF(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {}, qint16 ZNR = 0);
    bool DTFFM(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys = {});

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

private:
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
    QString gridText(const QString& SPV, const vb::FlexGrid* grid, const QString& SPNR, bool toGrid,
                     const vb::VBError& e) const;
    bool askContinue(const QString& text) const; // OK/Cancel "Datenfehler" box; false on Cancel
    template <typename Apply>
    bool readControl(const QString& SPV, const Keys& keys, Apply apply);
    bool writeControl(const QString& SPV, const std::function<QVariant()>& value, const Keys& keys);
    void pump(); // lets pending window events run, at most every few milliseconds

    QString m_ETABELLE = QStringLiteral("E1");
    QString m_ESPID = QStringLiteral("ID");
    qint32 m_ESPIDW = 0;
    std::array<QString, 3> m_ESPK;
    std::array<QString, 3> m_ESPKW;
    QString m_EINFMDB;
    ado::Connection* m_cnn = nullptr;
    std::unique_ptr<ado::Connection> m_own; // opened through EINFMDB
    qint64 m_lastPump = -1;
};
