#pragma once
// The contents of the main window's status bar stbMAIN: 15 panels numbered
// from 1, their texts, tooltips, visibility and pressed look. Kept apart from
// the widget so start-up and the record commands can fill it without a window.
#include <QObject>
#include <QString>
#include <array>

namespace ado { class Connection; }

struct PanelState {
    QString text;
    QString toolTip;
    bool visible = true;
    bool pressed = false; // inset look of a command panel
};

class StatusPanels : public QObject {
    Q_OBJECT
public:
    static constexpr int kCount = 15;
    static constexpr int kFirstCommand = 8;
    static constexpr int kSpacer = 7;

    StatusPanels();

    // n = 1 ... 15
    const PanelState& panel(int n) const;
    QString text(int n) const { return panel(n).text; }
    QString toolTip(int n) const { return panel(n).toolTip; }
    bool isVisible(int n) const { return panel(n).visible; }
    static bool isCommand(int n) { return n >= kFirstCommand && n <= kCount; }

    void setText(int n, const QString& text);
    void setToolTip(int n, const QString& tip);
    void setVisible(int n, bool visible);
    void setVisible(int from, int to, bool visible);
    void setPressed(int n, bool pressed);

    // Command panel texts and tooltips in the language of the session (1 English, 3 German).
    void applyLanguage(short sprache);

    // Panel 1: the shortened project directory and the full one as tooltip.
    void setProjectPath(const QString& projektspfad);
    static QString shortenPath(const QString& path);

    // Panel 6 from the active records of the working copy.
    void DATENSATZANZEIGE(ado::Connection& cnnX);

signals:
    void changed(int n);

private:
    PanelState& at(int n);
    std::array<PanelState, kCount> m_panels;
};
