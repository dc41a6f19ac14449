#pragma once
// The status-bar control stbMAIN: shows the panels of a StatusPanels model and
// reports clicks by panel number. Command panels look raised and get the
// inset look while the mouse is pressed over them.
#include <QStatusBar>
#include <QVector>

class QLabel;
class StatusPanels;

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    StatusBar(StatusPanels& panels, QWidget* parent = nullptr);

    QLabel* panelWidget(int n) const { return m_labels.value(n - 1); }
    // The panel under x (widget coordinates), 0 when none.
    int panelAt(int x) const;

signals:
    void panelClick(int panel);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void refresh(int n);
    void equaliseCommandWidths();

    StatusPanels& m_panels;
    QVector<QLabel*> m_labels;
};
