#pragma once
// The start screen: fills the main window for the whole run and carries the
// progress bar of evaluations.
#include <QWidget>
#include <array>

class QFrame;
class QLabel;
class QProgressBar;

class mdiAUTOSTART : public QWidget {
    Q_OBJECT
public:
    explicit mdiAUTOSTART(short sprache, QWidget* parent = nullptr);

    static QString titleText();
    static QString subtitleText();
    static QString versionText(short sprache);

    QLabel* lblKOPF(int i) const { return m_kopf[static_cast<size_t>(i)]; }
    QLabel* lblTITEL() const { return m_titel; }
    QLabel* lblUNTERTITEL() const { return m_untertitel; }
    QLabel* lblVERSION() const { return m_version; }
    QLabel* imgDIA() const { return m_dia; }
    QProgressBar* pgbBERECHNEN() const { return m_progress; }

    // The user cannot close the start screen; the main window can at the end.
    void allowClose() { m_mayClose = true; }

protected:
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    int twips(double t) const;
    void arrange();

    QFrame* m_fraKOPF;
    std::array<QLabel*, 4> m_kopf{};
    QLabel* m_logo;
    QLabel* m_titel;
    QLabel* m_untertitel;
    QLabel* m_dia;
    QLabel* m_version;
    QProgressBar* m_progress;
    bool m_mayClose = false;
};
