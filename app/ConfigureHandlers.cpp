#include "app/ConfigureHandlers.h"

#include "app/ConfigureAction.h"
#include "app/MainForm.h"
#include "comport/ComPort.h"
#include "toolkit/controls/ControlText.h"
#include "toolkit/controls/ListOperations.h"

namespace app {

namespace {

// The choices as the window's lists hold them at the moment each is read.
class ListChoices final : public DisplayChoices {
public:
    explicit ListChoices(const MainForm& form) : form(form) {}

    std::string_view PortText() override
    {
        portText = toolkit::GetControlText(form.PortList);
        return portText.View();
    }
    std::intptr_t RowsIndex() override { return toolkit::GetCurrentIndex(form.RowsList); }
    std::intptr_t ColumnsIndex() override { return toolkit::GetCurrentIndex(form.ColumnsList); }
    std::intptr_t TypeIndex() override { return toolkit::GetCurrentIndex(form.TypeList); }

private:
    const MainForm& form;
    toolkit::ControlText portText;
};

} // namespace

void ConfigureClick(void* mainForm, toolkit::Control* /*sender*/)
{
    auto* form = static_cast<MainForm*>(mainForm);
    if (form == nullptr || form->ComPort == nullptr)
        return;
    ListChoices choices(*form);
    ConfigureDisplay(*form->ComPort, choices);
}

void PortListChange(void* mainForm, toolkit::Control* /*sender*/)
{
    auto* form = static_cast<MainForm*>(mainForm);
    if (form == nullptr || form->ComPort == nullptr)
        return;
    const toolkit::ControlText text = toolkit::GetControlText(form->PortList);
    form->ComPort->SetPort(text.View());
}

} // namespace app
