#pragma once
// "Auswerten > Projektübersicht...": the reported values of every record of
// the open project into a CSV file the user chooses, evaluated as the batch
// summary evaluates them. Nothing of the working copy is written.
#include <QString>
#include <QStringList>
#include <functional>

class frmMAIN;
class Session;

namespace SummaryExport {

void mnuUEBERSICHT_Click(frmMAIN& main);

// The CSV text for session s's language: German with semicolons and decimal
// commas, English with commas and points; progress(done, total) after each record.
struct Table {
    QString text;
    int records = 0;
    QStringList failures; // "KEN: reason" of the records that could not be evaluated
};
Table table(Session& s, const std::function<void(int, int)>& progress = {});

} // namespace SummaryExport
