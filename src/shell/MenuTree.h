#pragma once
// The main window's menu tree: names, captions in both languages, help
// context numbers and the enabled state at start.
#include "data/Session.h"
#include <QString>
#include <QVector>

struct MenuItemDef {
    QString name;      // mnuDATEI, mnuNEU ...
    QString parent;    // empty = menu bar
    QString german;    // built-in caption; "-" = separator
    QString english;
    int helpContext = 0;
    bool enabledAtStart = true;

    bool isSeparator() const { return german == QLatin1String("-"); }
    QString caption(short sprache) const { return Session::tr(sprache, german, english); }
};

namespace MenuTree {
// In menu order, parents before their items.
const QVector<MenuItemDef>& items();
const MenuItemDef* find(const QString& name);
// A caption without its mnemonic marks, as a box title shows it.
QString plainCaption(const QString& caption);
} // namespace MenuTree
