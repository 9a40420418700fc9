#include "GuiTransferHost.h"

#include "ProgressDialog.h"
#include "QtText.h"

#include <QCoreApplication>

namespace kx9 {

void GuiTransferHost::pump()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool GuiTransferHost::cancelRequested() const
{
    return m_dialog.cancelRequested();
}

void GuiTransferHost::setWatch(bool on)
{
    m_dialog.setWatch(on);
}

void GuiTransferHost::setStatus(std::string_view text)
{
    m_dialog.setStatus(ui(text));
}

int GuiTransferHost::progressPosition() const
{
    return m_dialog.position();
}

void GuiTransferHost::stepProgress()
{
    m_dialog.step();
}

void GuiTransferHost::closeProgress()
{
    m_dialog.finish();
}

} // namespace kx9
