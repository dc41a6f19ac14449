#pragma once
// What the settings dialogs of a result page share: they belong to the page
// that opened them (a page closed meanwhile is never addressed), speak in
// Arial 9, have OK and Cancel (Escape and the close box cancel), sit a tenth
// of the screen height from the top unless they place themselves, and redraw
// diagrams of their page by name.
#include <QDialog>
#include <QPointer>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;
class ResultPage;
class Session;

class frmKONTEXTBase : public QDialog {
    Q_OBJECT
public:
    frmKONTEXTBase(ResultPage* page, QWidget* owner);

    ResultPage* page() const { return m_page; }
    QPushButton* cmdOK() const { return m_cmdOK; }
    QPushButton* cmdABBRECHEN() const { return m_cmdABBRECHEN; }

    virtual void cmdOK_Click() = 0;
    void cmdABBRECHEN_Click() { done(QDialog::Rejected); }

protected:
    void showEvent(QShowEvent* e) override;
    // Where the dialog appears when shown.
    virtual void place();
    void reject() override { cmdABBRECHEN_Click(); }
    // The two buttons in a row at the right, for the subclass's layout.
    QLayout* buttonRow();
    // The k10 grid box: its caption "Gitterlinien" finished by the labels
    // lblK "k" and a lowered lbl10 "10", which it creates.
    QLayout* k10Caption(QCheckBox* chk, QLabel*& lblK, QLabel*& lbl10);
    // The box "k10 logarithmisch" of the logarithmic k10 axis.
    QCheckBox* logK10Box(const Session& s);
    // Draws the named diagrams of the page on screen, in the page's order.
    void redraw(const QStringList& names);

    QPointer<ResultPage> m_page;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdABBRECHEN;
};
