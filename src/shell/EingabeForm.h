#pragma once
// The input form mdiEINGABE behind the record commands' view of it; its keys
// reach the main window's Quit (Alt+Q) and panel 8 (Ctrl+S).
#include "input/mdiEINGABE.h"
#include "shell/RecordInputForm.h"

#include <QPointer>

class EingabeForm : public RecordInputForm {
public:
    explicit EingabeForm(frmMAIN& main);
    ~EingabeForm() override;

    QWidget* widget() override;
    void OEFFNEN(long id) override;
    bool OK(long id) override;
    QString KEN() const override;

    mdiEINGABE* form() const { return m_form; }

private:
    mdiEINGABE* checkedForm() const;

    QPointer<mdiEINGABE> m_form;
};
