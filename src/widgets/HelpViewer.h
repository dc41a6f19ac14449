#pragma once
// The help system: an HTML help file shown in a small viewer window at the
// anchor of a help context ("hc" + number), and documents (read-me, notes)
// handed to the desktop's word processor. Injectable like every platform
// service; tests record what would have been shown.
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QTextBrowser;

namespace vb {

class HelpService {
public:
    virtual ~HelpService() = default;
    // Shows file at the help context (0 = the contents at the top). Raises VBError when the file cannot be read.
    virtual void showHelp(const QString& file, int context, const QString& title);
    // Opens a document with the desktop's word processor; false when none can be started.
    virtual bool openDocument(const QString& path);
};

class ScriptedHelp : public HelpService {
public:
    struct Shown {
        QString file;
        int context = 0;
        QString title;
    };
    QList<Shown> help;
    QStringList documents;
    bool documentsOpen = true; // false: no word processor can be started
    void showHelp(const QString& file, int context, const QString& title) override
    {
        help.append({file, context, title});
    }
    bool openDocument(const QString& path) override
    {
        documents.append(path);
        return documentsOpen;
    }
};

HelpService& help();
std::unique_ptr<HelpService> setHelp(std::unique_ptr<HelpService> service);

class ScopedScriptedHelp {
public:
    ScopedScriptedHelp();
    ~ScopedScriptedHelp();
    ScriptedHelp* operator->() { return m_help; }
    ScriptedHelp& operator*() { return *m_help; }

private:
    ScriptedHelp* m_help;
    std::unique_ptr<HelpService> m_prev;
};

// The viewer window: one per run, reused by every help call.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    // Loads file (raises VBError 53 when missing) and scrolls to the context's anchor.
    void showContext(const QString& file, int context);
    QTextBrowser* browser() const { return m_browser; }
    static QString anchor(int context) { return QStringLiteral("hc") + QString::number(context); }

private:
    QTextBrowser* m_browser;
    QString m_file;
};

} // namespace vb
