#pragma once
// The about box: the maker's address and the program's identity.
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

class frmINFO : public QDialog {
    Q_OBJECT
public:
    frmINFO(short sprache, QWidget* owner = nullptr);

    QLabel* lblGEO(int i) const { return m_geo[static_cast<size_t>(i)]; }
    QLabel* lblINFO(int i) const { return m_info[static_cast<size_t>(i)]; }
    QPushButton* cmdSCHLIESSEN() const { return m_close; }

    // The credits line: names longer than 50 characters are cut at the first
    // comma from position 50 on and marked with " ...".
    static QString creditsLine(const QString& prefix, const QString& names);
    static QString developers();

private:
    std::array<QLabel*, 8> m_geo{};
    std::array<QLabel*, 7> m_info{};
    QPushButton* m_close;
};
