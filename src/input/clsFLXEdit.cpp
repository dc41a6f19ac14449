// clsFLX: the editing cycle (opening an overlay editor, committing it with
// the value check), the tooltip and the host event wiring.
#include "input/clsFLX.h"

#include "graphics/MarkupText.h"
#include "input/FlexCells.h"
#include "platform/Convert.h"
#include "widgets/FlexGrid.h"
#include "platform/Format.h"
#include "platform/MsgBox.h"
#include "platform/OnError.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <cmath>

using flexcells::title;

// ---------------------------------------------------------------- editing cycle

void clsFLX::BEARBEITEN(int key, float x)
{
    vb::OnError step(title("Bearbeiten"));
    if (!m_flx) return;
    if (key == 13) {
        step([&] {
            if (m_BOH && m_flx->Col() == m_flx->Cols() - 1 && m_flx->Row() == m_flx->Rows() - 1) appendRow();
        });
        return;
    }
    if (key == -1) {
        step([&] { copyBlock(); });
        return;
    }
    if (key == -2) {
        step([&] { armFill(x); });
        return;
    }
    // control characters (space included) and DEL open no editor
    if (key != 0 && (key <= 32 || key == 127)) return;
    step([&] {
        // a column of width 0 keeps values that are not to be seen or edited
        if (m_flx->ColWidth(m_flx->Col()) <= 0) return;
        const int type = columnType(m_flx->Col());
        if (type >= 0 && type < typChoice && m_txt && m_txt->isHidden()) openTextBox(key);
        else if (type == typChoice && m_cbo && m_cbo->isHidden()) openComboBox(key);
    });
}

void clsFLX::appendRow()
{
    const int first = m_flx->FixedCols();
    m_flx->setRows(m_flx->Rows() + 1);
    m_flx->setRow(m_flx->Rows() - 1);
    m_flx->setCol(first);
    m_flx->setLeftCol(first);
    if (m_coupled && m_coupled->EFLX()) {
        vb::FlexGrid* k = m_coupled->EFLX();
        k->setRows(k->Rows() + 1);
        k->setRow(k->Rows() - 1);
        k->setCol(k->FixedCols());
        k->setLeftCol(k->FixedCols());
        m_coupled->NUMMERIEREN();
    }
    NUMMERIEREN();
}

QRect clsFLX::cellRectIn(QWidget* overlay, int row, int col) const
{
    const QRect cell = m_flx->visualRect(m_flx->model()->index(row, col));
    const QPoint global = m_flx->viewport()->mapToGlobal(cell.topLeft());
    QWidget* parent = overlay->parentWidget();
    const QPoint topLeft = parent ? parent->mapFromGlobal(global) : global;
    return QRect(topLeft, cell.size());
}

void clsFLX::openTextBox(int key)
{
    const int row = m_flx->Row(), col = m_flx->Col();
    const QString cellText = m_flx->TextMatrix(row, col);
    m_txt->setGeometry(cellRectIn(m_txt, row, col));
    m_txt->setAlignment((vb::ParseNumber(cellText) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    m_txt->show();
    m_txt->raise();
    m_txt->setFocus(Qt::OtherFocusReason);
    if (key == 0) {
        m_txt->setText(cellText);
        m_txt->selectAll();
    } else {
        m_txt->setText(QString(QChar(key)));
        m_txt->setCursorPosition(1);
    }
    m_ZNR = static_cast<short>(row);
    m_SNR = static_cast<short>(col);
}

void clsFLX::openComboBox(int key)
{
    const int row = m_flx->Row(), col = m_flx->Col();
    const QString cellText = m_flx->TextMatrix(row, col);
    m_cbo->clear();
    m_cbo->addItems(ELCBO(col));
    const QRect r = cellRectIn(m_cbo, row, col);
    m_cbo->move(r.topLeft());
    m_cbo->resize(r.width(), m_cbo->height());
    m_cbo->show();
    m_cbo->raise();
    m_cbo->setFocus(Qt::OtherFocusReason);
    if (key == 0) {
        m_cbo->setEditText(cellText);
        if (m_cbo->lineEdit()) m_cbo->lineEdit()->selectAll();
    } else {
        m_cbo->setEditText(cellText + QChar(key));
        if (m_cbo->lineEdit()) m_cbo->lineEdit()->setCursorPosition(static_cast<int>(m_cbo->currentText().size()));
    }
    m_ZNR = static_cast<short>(row);
    m_SNR = static_cast<short>(col);
}

void clsFLX::EINFUEGEN(int key)
{
    vb::OnError step(title("Einfügen"));
    if (!m_flx) return;
    if (key == -1) {
        step([&] { pasteBlock(); });
        return;
    }
    if (key == -2) {
        step([&] { completeFill(); });
        return;
    }
    if (key != 13 && key != 0) return;
    step([&] { commitTextBox(); });
    step([&] { commitComboBox(); });
}

bool clsFLX::commitTextBox()
{
    if (!m_txt || m_txt->isHidden()) return false;
    const int col = m_SNR;
    const int type = columnType(col);
    if (type < 0 || type >= typChoice) return false;
    QString text = m_txt->text();
    bool valid = true;
    if (!text.isEmpty()) {
        float min = 0, max = 0;
        columnLimits(col, min, max);
        switch (type) {
        case typIndex1:
        case typIndex2:
        case typIndex3:
            valid = min >= max || WERTPRUEFUNG(text, min, max, true, false, QStringLiteral("Indexspalte ") + header1(col));
            break;
        case typDate: valid = WERTPRUEFUNG(text, min, max, false, true, QStringLiteral("Datumsspalte ") + header1(col)); break;
        case typTime: valid = WERTPRUEFUNG(text, min, max, false, true, QStringLiteral("Uhrzeitspalte ") + header1(col)); break;
        default: valid = min >= max || WERTPRUEFUNG(text, min, max, false, false, QStringLiteral("Spalte ") + header1(col));
        }
    }
    // an invalid value keeps the text box open for correction
    if (!valid) return false;
    const QString format = columnFormat(col);
    if (!format.isEmpty() && !text.isEmpty()) text = vb::Format(QVariant(text), format);
    setCell(m_ZNR, col, text);
    m_txt->clear();
    m_txt->hide();
    m_flx->setFocus(Qt::OtherFocusReason);
    return true;
}

bool clsFLX::commitComboBox()
{
    if (!m_cbo || m_cbo->isHidden()) return false;
    const int col = m_SNR;
    if (columnType(col) != typChoice) return false;
    QString text = m_cbo->currentText();
    if (!text.isEmpty()) {
        float min = 0, max = 0;
        columnLimits(col, min, max);
        if (min < max && !WERTPRUEFUNG(text, min, max, false, false, QStringLiteral("Spalte ") + header1(col))) return false;
        const QString format = columnFormat(col);
        if (!format.isEmpty() && !text.isEmpty()) text = vb::Format(QVariant(text), format);
    }
    setCell(m_ZNR, col, text);
    m_cbo->clear();
    m_cbo->setEditText(QString());
    m_cbo->hide();
    m_flx->setFocus(Qt::OtherFocusReason);
    return true;
}

bool clsFLX::WERTPRUEFUNG(QString& text, float min, float max, bool whole, bool dateTime, const QString& caption)
{
    const QString boxTitle = title(caption);
    const auto refuse = [&](const QString& msg) {
        vb::MsgBox(msg, vb::vbOKOnly | vb::vbExclamation, boxTitle);
        return false;
    };
    text = text.trimmed();
    if (text.isEmpty()) return true;
    if (dateTime) {
        if (vb::IsDate(text)) return true;
        return refuse(QStringLiteral("Eingegeber Wert ist kein gültiges Datums- oder Zeitformat!"));
    }
    const auto value = vb::ParseNumber(text);
    if (!value) return refuse(QStringLiteral("Eingegeber Wert ist kein gültiges Zahlenformat!"));
    const float v = static_cast<float>(*value);
    if (!std::isfinite(v) || !(v >= min) || v > max)
        return refuse(QStringLiteral("Zahlenwert außerhalb der vorgegeben Schranken:\nMinimum: ") + vb::CStr(min) +
                      QStringLiteral(", Maximum: ") + vb::CStr(max));
    if (whole && v != std::trunc(v)) return refuse(QStringLiteral("Eingegeber Wert ist keine ganze Zahl!"));
    return true;
}

// ---------------------------------------------------------------- tooltip

void clsFLX::TOOLTIP(float x, float /*y*/)
{
    vb::OnError step(title("ToolTip"));
    if (!m_flx) return;
    step([&] {
        QString tip;
        double left = 0;
        for (int c = 0; c < m_flx->Cols(); ++c) {
            if (!m_flx->ColIsVisible(c)) continue;
            const double right = left + m_flx->ColWidth(c);
            if (x >= left && x < right) {
                const QVariant t = c < m_LSTTT.size() ? m_LSTTT[c] : QVariant();
                tip = t.toString();
                break;
            }
            left = right;
        }
        m_flx->setToolTipText(tip);
        if (m_picWidget) m_picWidget->setToolTip(tip);
    });
}

// ---------------------------------------------------------------- host wiring

void clsFLX::connectHostEvents()
{
    if (!m_flx) return;
    connect(m_flx, &vb::FlexGrid::DblClick, this, [this] { BEARBEITEN(0); });
    connect(m_flx, &vb::FlexGrid::KeyPress, this, [this](int k) { BEARBEITEN(k); });
    connect(m_flx, &vb::FlexGrid::MouseDown, this, [this](int button, int, float x, float) {
        if (button == 1) BEARBEITEN(-2, x);
    });
    connect(m_flx, &vb::FlexGrid::MouseUp, this, [this](int button, int, float, float) {
        if (button == 1) EINFUEGEN(-2);
    });
    connect(m_flx, &vb::FlexGrid::Click, this, [this] { EINFUEGEN(0); });
    connect(m_flx, &vb::FlexGrid::Scroll, this, [this] {
        EINFUEGEN(0);
        BESCHRIFTEN();
    });
    connect(m_flx, &vb::FlexGrid::MouseMove, this, [this](int, int, float x, float y) { TOOLTIP(x, y); });
    if (m_txt) m_txt->installEventFilter(this);
    if (m_cbo) m_cbo->installEventFilter(this);
    if (m_picWidget) {
        m_picWidget->setMouseTracking(true);
        m_picWidget->installEventFilter(this);
    }
}

bool clsFLX::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_txt || watched == m_cbo)) {
        const auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            EINFUEGEN(13);
            emit editorKeyPress(13);
            return true;
        }
    } else if (event->type() == QEvent::MouseMove && watched == m_picWidget && m_flx) {
        const auto* m = static_cast<QMouseEvent*>(event);
        const double tw = m_flx->twipsPerPixel();
        TOOLTIP(static_cast<float>(m->position().x() * tw), static_cast<float>(m->position().y() * tw));
    }
    return QObject::eventFilter(watched, event);
}
