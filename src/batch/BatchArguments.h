#pragma once
// The command line of a batch command: the command word, one positional
// argument (the project database), options that each take one value and
// switches that take none; each may be given once.
#include <QHash>
#include <QString>
#include <QStringList>

struct BatchArguments {
    QString project;
    QHash<QString, QString> values; // option -> value, for the options given; a switch has an empty value

    bool has(const QString& option) const { return values.contains(option); }
    QString value(const QString& option) const { return values.value(option); }

    // Reads args (after the program name) for `command` with the accepted
    // options; an error text when they do not fit, else empty.
    static QString parse(const QStringList& args, const QString& command, const QStringList& options,
                         BatchArguments& out, const QStringList& switches = {});
};
