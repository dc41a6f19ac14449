#include "shell/MenuTree.h"

namespace MenuTree {

const QVector<MenuItemDef>& items()
{
    static const QVector<MenuItemDef> tree = [] {
        auto item = [](const char* name, const char* parent, const char* german, const char* english, int help,
                       bool enabled = true) {
            return MenuItemDef{QString::fromUtf8(name), QString::fromUtf8(parent), QString::fromUtf8(german),
                               QString::fromUtf8(english ? english : german), help, enabled};
        };
        return QVector<MenuItemDef>{
            item("mnuDATEI", "", "&Datei", "&File", 0),
            item("mnuNEU", "mnuDATEI", "&Neu", "&New", 11),
            item("mnuOEFFNEN", "mnuDATEI", "&Öffnen", "&Open", 12),
            item("mnuAUSWAHL", "mnuDATEI", "&Auswahl", "&Select", 13),
            item("mnuTRENN0", "mnuDATEI", "-", nullptr, 0),
            item("mnuEXPIMP", "mnuDATEI", "&Export-Import", nullptr, 14),
            item("mnuEXPINF", "mnuDATEI", "Export-&Inf.system", nullptr, 0),
            item("mnuLOESCHEN", "mnuDATEI", "&Löschen", "&Delete", 16),
            item("mnuSCHLIESSEN", "mnuDATEI", "&Schließen", "&Done", 17),
            item("mnuTRENN1", "mnuDATEI", "-", nullptr, 0),
            item("mnuSPEICHERN", "mnuDATEI", "&Speichern", "&Save", 18),
            item("mnuBEENDEN", "mnuDATEI", "&Beenden", "&Quit", 19),
            item("mnuAUSWERTEN", "", "&Auswerten", "&Evaluate", 20),
            item("mnuEINGABEGRAFIK", "mnuAUSWERTEN", "&Eingabegrafik", "&Graphics of Input Data", 21, false),
            item("mnuBERECHNEN", "mnuAUSWERTEN", "&Berechnen", "&Calculate", 22),
            item("mnuMBERECHNEN", "mnuAUSWERTEN", "&MBerechnen", "Calculate &Multiple", 23, false),
            item("mnuFBERECHNEN", "mnuAUSWERTEN", "&FBerechnen", "Calculate &Next", 24, false),
            item("mnuNEUBERECHNEN", "mnuAUSWERTEN", "&Neuberechnen", "Calculate &First", 25),
            item("mnuTRENN3", "mnuAUSWERTEN", "-", nullptr, 0),
            item("mnuUEBERSICHT", "mnuAUSWERTEN", "&Projektübersicht...", "Project &summary...", 0),
            item("mnuEXTRAS", "", "E&xtras", "Tools", 30),
            item("mnuVVORGABEN", "mnuEXTRAS", "&Vorgaben", "Preset Data", 30),
            item("mnuVEVORGABEN", "mnuEXTRAS", "&Elektronikvorgaben", "Preset Electronic Data", 32, false),
            item("mnuTRENN2", "mnuEXTRAS", "-", nullptr, 0),
            item("mnuWERKZEUGE", "mnuEXTRAS", "&Werkzeuge", "Grafic Tools", 33, false),
            item("mnuTEXT", "mnuWERKZEUGE", "&Text", "Text", 30),
            item("mnuPOLYGON", "mnuWERKZEUGE", "&Polygon", "Polygon", 30),
            item("mnuKREIS", "mnuWERKZEUGE", "&Kreisbogen", "Circle", 30),
            item("mnuKOMPRIMIEREN", "mnuEXTRAS", "&Komprimieren", "Compact Database", 34),
            item("mnuFRAGEZEICHEN", "", "&?", nullptr, 0),
            item("mnuHILFE", "mnuFRAGEZEICHEN", "&Hilfe", "Help", 0),
            item("mnuREADME", "mnuFRAGEZEICHEN", "&ReadMe", nullptr, 42),
            item("mnuHINWEISE", "mnuFRAGEZEICHEN", "Hin&weise", nullptr, 43),
            item("mnuTRENN4", "mnuFRAGEZEICHEN", "-", nullptr, 0),
            item("mnuINFO", "mnuFRAGEZEICHEN", "&Info", nullptr, 44),
        };
    }();
    return tree;
}

const MenuItemDef* find(const QString& name)
{
    for (const MenuItemDef& d : items())
        if (d.name == name) return &d;
    return nullptr;
}

QString plainCaption(const QString& caption)
{
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) ++i; // "&&" keeps one "&"
        out.append(caption[i]);
    }
    return out;
}

} // namespace MenuTree
