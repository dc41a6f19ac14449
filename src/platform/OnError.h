#pragma once
// "On Error" handling shared by every procedure of the program: run statements
// as steps; a failing step shows the failure box; OK goes on with the next
// step, Cancel leaves the procedure.
#include "platform/MsgBox.h"
#include "platform/VBError.h"

#include <QString>
#include <functional>

namespace vb {

class OnError {
public:
    // title: the box title (command, panel, dialog or routine);
    // prefix: "VB-Error: " or, in some classes, "VB-Fehler: ".
    explicit OnError(QString title, QString prefix = QStringLiteral("VB-Error: "));

    // Runs one step. Returns false when the procedure must leave (Cancel chosen,
    // or an earlier step was cancelled). A failure with OK returns true.
    bool operator()(const std::function<void()>& step);

    // Errors that are reported silently (e.g. a cancelled common dialog).
    void ignore(long number) { m_silent.append(number); }
    // Lets a caller build its own box text around the failure.
    void setText(std::function<QString(const VBError&)> text) { m_text = std::move(text); }

    bool failed() const { return m_failed; }
    bool cancelled() const { return m_cancelled; }
    long lastNumber() const { return m_lastNumber; }

    // The standard box text for a failure.
    static QString text(const QString& prefix, long number, const QString& description);

private:
    QString m_title;
    QString m_prefix;
    QList<long> m_silent;
    std::function<QString(const VBError&)> m_text;
    bool m_failed = false;
    bool m_cancelled = false;
    long m_lastNumber = 0;
};

} // namespace vb
