// The main window's part of Program > Write To Several Radios.

#include "BackupFolder.h"
#include "ChannelView.h"
#include "CommandIds.h"
#include "CommandTable.h"
#include "Document.h"
#include "FleetDialog.h"
#include "FleetTexts.h"
#include "MainWindow.h"
#include "ServiceCommands.h"

#include <QAction>
#include <QMenu>

namespace kx9 {

void MainWindow::createFleetCommand(QMenu &program)
{
    QAction *a =
        m_commands->add(&program, command::kWriteToSeveral, text::kFleetItem, text::kFleetPrompt);
    connect(a, &QAction::triggered, this, &MainWindow::writeToSeveral);
    // Not while one radio is being read or written, nor during a service exchange.
    const auto idle = [a](bool running) { a->setEnabled(!running); };
    connect(m_view, &ChannelView::transferStateChanged, a, idle);
    connect(m_service, &ServiceCommands::busyChanged, a, idle);
}

void MainWindow::writeToSeveral()
{
    if (m_fleet) {
        m_fleet->show();
        m_fleet->raise();
        m_fleet->activateWindow();
        return;
    }
    if (busy())
        return;
    // The grid as it stands when Start is pressed, as Write takes it.
    auto image = [this] {
        m_view->commitEditor();
        return m_document.imageAsSaved();
    };
    auto makePort = [factory = m_portFactory](const std::string &) { return factory(); };
    m_fleet = new FleetDialog(image, makePort, m_files, backupFolder(), this);
    // Made again next time, in the language then in force.
    connect(m_fleet, &QDialog::finished, m_fleet, &QObject::deleteLater);
    // Readable, not editable, while the radios are written from the grid.
    connect(m_fleet, &FleetDialog::runningChanged, this, [this](bool running) {
        m_view->setEditingLocked(running);
        if (running)
            m_view->hideEditors();
        onTransferState(running);
    });
    m_fleet->show();
}

bool MainWindow::fleetRunning() const
{
    return m_fleet && m_fleet->running();
}

void MainWindow::cancelFleet()
{
    if (m_fleet)
        m_fleet->cancelAll();
}

} // namespace kx9
