#include "widgets/ControlData.h"

#include "data/DataText.h"
#include "platform/OnError.h"
#include "platform/Trap.h"
#include "platform/VBError.h"
#include "widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

using vb::Raise;
using vb::VBError;

namespace {
template <typename T>
T* need(T* control)
{
    if (!control) Raise(91, QStringLiteral("Object variable or With block variable not set"));
    return control;
}

[[noreturn]] void invalidValue() { Raise(vb::errInvalidProperty, QStringLiteral("Invalid property value")); }

// A list index as the list controls take it: -1 (none) up to count - 1.
int listIndex(const QVariant& v, int count)
{
    const int n = datatext::toInt16(v);
    if (n < -1 || n >= count) invalidValue();
    return n;
}

// Check box value: 0 unchecked, 1 checked, 2 greyed. A yes/no column holds
// no greyed state: yes ticks the box (its True would read as -1).
void setCheckValue(QCheckBox* chk, const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<bool>()) {
        chk->setCheckState(v.toBool() ? Qt::Checked : Qt::Unchecked);
        return;
    }
    switch (datatext::toInt16(v)) {
    case 0: chk->setCheckState(Qt::Unchecked); break;
    case 1: chk->setCheckState(Qt::Checked); break;
    case 2:
        chk->setTristate(true);
        chk->setCheckState(Qt::PartiallyChecked);
        break;
    default: invalidValue();
    }
}

int checkValue(const QCheckBox* chk)
{
    switch (chk->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void setOptionValue(QRadioButton* opt, bool on)
{
    if (on || !opt->autoExclusive()) {
        opt->setChecked(on);
        return;
    }
    // An exclusive option button cannot be switched off by itself.
    opt->setAutoExclusive(false);
    opt->setChecked(false);
    opt->setAutoExclusive(true);
}

// Text of a combo box: a drop-down list takes only one of its entries.
void setComboText(QComboBox* cbo, const QString& text)
{
    if (cbo->isEditable()) {
        cbo->setEditText(text);
        return;
    }
    const int i = cbo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0) cbo->setCurrentIndex(i);
    else if (text.isEmpty()) cbo->setCurrentIndex(-1);
    else Raise(383, QStringLiteral("'Text' property is read-only"));
}

int gridColumn(const vb::FlexGrid* grid, const QString& SPNR)
{
    bool ok = false;
    const int col = SPNR.trimmed().toInt(&ok);
    if (!ok) Raise(vb::errTypeMismatch, QStringLiteral("Type mismatch: '%1'").arg(SPNR));
    if (col < 0 || col >= grid->Cols()) Raise(381, QStringLiteral("Subscript out of range"));
    return col;
}

// The grid keys: SPI1 .. SPI3 as given, SPI4 only orders.
Keys gridKeys(const Keys& keys)
{
    Keys k = keys;
    k[3].value.reset();
    return k;
}
} // namespace

// ---------------------------------------------------------------- shared routines

// A matching row with a value applies it; null leaves the control; no row
// applies the empty value.
template <typename Apply>
bool ControlData::readControl(const QString& SPV, const Keys& keys, Apply apply)
{
    QVariant v;
    bool found = false;
    if (!readFirst(SPV, keys, v, &found)) {
        readerFailed(SPV, QVariant());
        return false;
    }
    if (found && v.isNull()) return true;
    VBError err(0, QString());
    if (vb::Trap([&] { apply(v); }, err)) return true;
    readerFailed(SPV, v);
    return false;
}

bool ControlData::writeControl(const QString& SPV, const std::function<QVariant()>& value, const Keys& keys)
{
    QVariant v;
    VBError err(0, QString());
    if (!vb::Trap([&] { v = value(); }, err)) {
        writerFailed(SPV, QVariant());
        return false;
    }
    return writeOne(SPV, v, keys);
}

QString ControlData::gridText(const QString& SPV, const vb::FlexGrid* grid, const QString& SPNR, bool toGrid, const VBError& e) const
{
    return QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + ETABELLE()
        + QStringLiteral(" können nicht in die Spalte ") + SPNR + QStringLiteral("\nder FlexGrid-Tabelle ")
        + (grid ? QString::number(grid->Index()) : QString())
        + (toGrid ? QStringLiteral(" eingelesen werden!\n") : QStringLiteral(" geschrieben werden!\n"))
        + vb::OnError::text(QStringLiteral("VB-Error: "), e.Number(), e.Description());
}

// ---------------------------------------------------------------- check box

bool ControlData::DFTC(const QString& SPV, QCheckBox* chk, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(checkValue(need(chk))); }, keys);
}
bool ControlData::DFTCV(const QString& SPV, QCheckBox* chk, const Keys& keys) { return DFTC(SPV, chk, keys); }
bool ControlData::DFTCC(const QString& SPV, QCheckBox* chk, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(chk)->text()); }, keys);
}
bool ControlData::DTFC(const QString& SPV, QCheckBox* chk, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { setCheckValue(need(chk), v); });
}
bool ControlData::DTFCV(const QString& SPV, QCheckBox* chk, const Keys& keys) { return DTFC(SPV, chk, keys); }
bool ControlData::DTFCC(const QString& SPV, QCheckBox* chk, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { need(chk)->setText(datatext::toText(v)); });
}

// ---------------------------------------------------------------- option button

bool ControlData::DFTO(const QString& SPV, QRadioButton* opt, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(opt)->isChecked()); }, keys);
}
bool ControlData::DFTOV(const QString& SPV, QRadioButton* opt, const Keys& keys) { return DFTO(SPV, opt, keys); }
bool ControlData::DFTOC(const QString& SPV, QRadioButton* opt, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(opt)->text()); }, keys);
}
bool ControlData::DTFO(const QString& SPV, QRadioButton* opt, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { setOptionValue(need(opt), datatext::toBool(v)); });
}
bool ControlData::DTFOV(const QString& SPV, QRadioButton* opt, const Keys& keys) { return DTFO(SPV, opt, keys); }
bool ControlData::DTFOC(const QString& SPV, QRadioButton* opt, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { need(opt)->setText(datatext::toText(v)); });
}

// ---------------------------------------------------------------- text box and label

bool ControlData::DFTT(const QString& SPV, QLineEdit* txt, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(txt)->text()); }, keys);
}
bool ControlData::DFTTT(const QString& SPV, QLineEdit* txt, const Keys& keys) { return DFTT(SPV, txt, keys); }
bool ControlData::DTFT(const QString& SPV, QLineEdit* txt, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { need(txt)->setText(datatext::toText(v)); });
}
bool ControlData::DTFTT(const QString& SPV, QLineEdit* txt, const Keys& keys) { return DTFT(SPV, txt, keys); }

bool ControlData::DFTL(const QString& SPV, QLabel* lbl, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(lbl)->text()); }, keys);
}
bool ControlData::DFTLC(const QString& SPV, QLabel* lbl, const Keys& keys) { return DFTL(SPV, lbl, keys); }
bool ControlData::DFTLI(const QString& SPV, QLabel* lbl, const Keys& keys)
{
    return writeControl(
        SPV,
        [&] {
            const auto i = vb::ControlIndex(need(lbl));
            if (!i) Raise(343, QStringLiteral("Object not an array"));
            return QVariant(*i);
        },
        keys);
}
bool ControlData::DTFL(const QString& SPV, QLabel* lbl, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { need(lbl)->setText(datatext::toText(v)); });
}
bool ControlData::DTFLC(const QString& SPV, QLabel* lbl, const Keys& keys) { return DTFL(SPV, lbl, keys); }

// ---------------------------------------------------------------- list box

bool ControlData::DFTI(const QString& SPV, QListWidget* lst, const Keys& keys)
{
    return writeControl(
        SPV,
        [&] {
            const int i = need(lst)->currentRow();
            return i >= 0 ? QVariant(lst->item(i)->text()) : QVariant();
        },
        keys);
}
bool ControlData::DFTIS(const QString& SPV, QListWidget* lst, const Keys& keys) { return DFTI(SPV, lst, keys); }
bool ControlData::DFTIL(const QString& SPV, QListWidget* lst, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(lst)->currentRow()); }, keys);
}
bool ControlData::DTFI(const QString& SPV, QListWidget* lst, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) {
        if (!v.isNull()) need(lst)->addItem(datatext::toText(v));
    });
}
bool ControlData::DTFIS(const QString& SPV, QListWidget* lst, const Keys& keys) { return DTFI(SPV, lst, keys); }
bool ControlData::DTFIL(const QString& SPV, QListWidget* lst, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) {
        if (v.isNull() || need(lst)->count() == 0) return;
        lst->setCurrentRow(listIndex(v, lst->count()));
    });
}

// ---------------------------------------------------------------- combo box

bool ControlData::DFTM(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(cbo)->currentText()); }, keys);
}
bool ControlData::DFTMT(const QString& SPV, QComboBox* cbo, const Keys& keys) { return DFTM(SPV, cbo, keys); }
bool ControlData::DFTML(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return writeControl(SPV, [&] { return QVariant(need(cbo)->currentIndex()); }, keys);
}
bool ControlData::DFTMS(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return writeControl(
        SPV,
        [&] {
            const int i = need(cbo)->currentIndex();
            return i >= 0 ? QVariant(cbo->itemText(i)) : QVariant();
        },
        keys);
}
bool ControlData::DTFM(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) { setComboText(need(cbo), datatext::toText(v)); });
}
bool ControlData::DTFMS(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) {
        if (!v.isNull()) need(cbo)->addItem(datatext::toText(v));
    });
}
bool ControlData::DTFML(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) {
        // No row gives 0, which an empty list cannot take: it stays without selection.
        if (need(cbo)->count() == 0 && v.isNull()) return;
        cbo->setCurrentIndex(listIndex(v, cbo->count()));
    });
}
bool ControlData::DTFMT(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    return readControl(SPV, keys, [&](const QVariant& v) {
        const QString t = datatext::toText(v);
        if (need(cbo)->isEditable()) cbo->setEditText(t);
        else cbo->setCurrentIndex(cbo->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive));
    });
}
bool ControlData::DTFMM(const QString& SPV, QComboBox* cbo, const Keys& keys)
{
    QVariantList values;
    VBError err(0, QString());
    const bool ok = cbo && readAll(SPV, keys, values, &err);
    if (!ok) {
        askContinue(QStringLiteral("Werte der Spalte ") + SPV + QStringLiteral(" der Tabelle ") + ETABELLE()
                    + QStringLiteral(" eingelesen werden!"));
        return false;
    }
    for (const QVariant& v : std::as_const(values))
        if (!v.isNull()) cbo->addItem(datatext::toText(v));
    return true;
}

// ---------------------------------------------------------------- flex grid

bool ControlData::DFTF(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys)
{
    VBError err(0, QString());
    QVariantList values;
    bool ok = vb::Trap(
        [&] {
            const int col = gridColumn(need(msgFLX), SPNR);
            if (msgFLX->Enabled())
                for (int r = msgFLX->FixedRows(); r < msgFLX->Rows(); ++r) values.append(msgFLX->TextMatrix(r, col).trimmed());
        },
        err);
    // A disabled grid holds no data: the matching rows are deleted.
    if (ok) ok = write(SPV, values, gridKeys(keys), &err);
    if (ok) return true;
    askContinue(gridText(SPV, msgFLX, SPNR, false, err));
    return false;
}

bool ControlData::DFTFM(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys)
{
    return DFTF(SPV, msgFLX, SPNR, keys);
}

bool ControlData::DTFF(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys, qint16 ZNR)
{
    VBError err(0, QString());
    const bool ok = vb::Trap([&] {
        const int col = gridColumn(need(msgFLX), SPNR);
        auto rs = DT(SPV, gridKeys(keys));
        const long n = rs->RecordCount();
        if (n > 32767) Raise(vb::errOverflow, QStringLiteral("Overflow"));
        if (n == 0) {
            // The empty state: shown in the colour of the fixed cells.
            msgFLX->setBackColor(msgFLX->BackColorFixed());
            msgFLX->setEnabled(false);
            return;
        }
        msgFLX->setBackColor(vb::SystemWindowBackground());
        msgFLX->setEnabled(true);
        const int first = msgFLX->FixedRows() >= ZNR ? msgFLX->FixedRows() : ZNR + 1;
        if (msgFLX->Rows() < first + n) msgFLX->setRows(static_cast<int>(first + n));
        int row = first;
        for (; !rs->Eof(); rs->MoveNext(), ++row) {
            const QVariant v = rs->Value(0);
            if (!v.isNull()) msgFLX->setTextMatrix(row, col, datatext::toText(v));
            pump();
        }
    }, err);
    if (ok) return true;
    askContinue(gridText(SPV, msgFLX, SPNR, true, err));
    return false;
}

bool ControlData::DTFFM(const QString& SPV, vb::FlexGrid* msgFLX, const QString& SPNR, const Keys& keys)
{
    return DTFF(SPV, msgFLX, SPNR, keys, 0);
}
