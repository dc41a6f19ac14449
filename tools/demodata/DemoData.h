#pragma once
// Realistic example data for a demo installation, added where missing:
// standpipe types into the presets database, falling-head tests with their
// readings into the project database, two more tests into a second project
// (created when missing) so that records can be exchanged between projects.
// Existing entries (by designation) stay. Raises vb::VBError on failure.
#include <QString>

void addDemoData(const QString& presetsDb, const QString& projectDb, const QString& secondDb = QString());
