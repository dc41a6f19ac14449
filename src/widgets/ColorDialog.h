#pragma once
// The common colour dialog (VB's CommonDialog.ShowColor): a colour value
// &H00BBGGRR that the user may change. The choosing goes through an
// injectable service; tests install ScriptedColors and queue the answers.
#include <QList>
#include <QString>
#include <QtGlobal>
#include <memory>
#include <optional>

class QWidget;

namespace vb {

class ColorService {
public:
    virtual ~ColorService() = default;
    // The colour the user chose, nullopt when cancelled.
    virtual std::optional<qint32> chooseColor(qint32 initial, const QString& title, QWidget* parent) = 0;
};

// The desktop's colour dialog.
class GuiColors : public ColorService {
public:
    std::optional<qint32> chooseColor(qint32 initial, const QString& title, QWidget* parent) override;
};

// Records every dialog (its start colour and title) and answers from a queue;
// without a queued answer the dialog is cancelled.
class ScriptedColors : public ColorService {
public:
    struct Shown {
        qint32 initial = 0;
        QString title;
    };
    std::optional<qint32> chooseColor(qint32 initial, const QString& title, QWidget* parent) override;
    void answer(std::optional<qint32> colour) { m_answers.append(colour); }
    const QList<Shown>& shown() const { return m_shown; }

private:
    QList<Shown> m_shown;
    QList<std::optional<qint32>> m_answers;
};

ColorService& colors();
// Installs a service; returns the previous one. nullptr restores the GUI service.
std::unique_ptr<ColorService> setColors(std::unique_ptr<ColorService> service);

class ScopedScriptedColors {
public:
    ScopedScriptedColors();
    ~ScopedScriptedColors();
    ScriptedColors* operator->() { return m_colors; }
    ScriptedColors& operator*() { return *m_colors; }

private:
    ScriptedColors* m_colors;
    std::unique_ptr<ColorService> m_prev;
};

// One colour dialog control (cdl...): keeps its Color; ShowColor lets the user
// change it and leaves it as it was when the user cancels.
class CommonColorDialog {
public:
    qint32 Color = 0;
    QString DialogTitle;
    // true when the user chose a colour.
    bool ShowColor(QWidget* parent = nullptr);
};

} // namespace vb
