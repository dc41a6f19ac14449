#include "shell/RecordInputForm.h"

#include "platform/VBError.h"

namespace {
RecordInputForm::Factory& factory()
{
    static RecordInputForm::Factory f;
    return f;
}
} // namespace

void RecordInputForm::setFactory(Factory f) { factory() = std::move(f); }

std::unique_ptr<RecordInputForm> RecordInputForm::create(frmMAIN& main)
{
    std::unique_ptr<RecordInputForm> form = factory() ? factory()(main) : nullptr;
    if (!form || !form->widget())
        vb::Raise(429, QStringLiteral("ActiveX component can't create object (input form mdiEINGABE)"));
    return form;
}
