#pragma once
// The modal-dialog protocol of the main window's tag: the caller writes a mode
// ("O", "A", "L") or nothing before a dialog is shown, the dialog leaves "OK"
// or "Abbrechen" behind, and the caller reads the tag afterwards.
#include <QString>

class QDialog;
class Session;

namespace ModalTag {

inline const QString kOpen = QStringLiteral("O");
inline const QString kSelect = QStringLiteral("A");
inline const QString kDelete = QStringLiteral("L");
inline const QString kOK = QStringLiteral("OK");
inline const QString kCancel = QStringLiteral("Abbrechen");

// Sets the tag to mode (clearing what an earlier dialog left), shows the
// dialog modally, deletes it and returns the tag it left.
QString show(QDialog* dialog, Session& s, const QString& mode = QString());

// For dialogs: leave the outcome in the tag and close.
void finish(QDialog* dialog, Session& s, const QString& outcome);

} // namespace ModalTag
