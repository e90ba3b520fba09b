#include "partycommands.h"

#include "kit/commandbinder.h"
#include "kit/services.h"
#include "masters/partywindow.h"

void openPartyWindow(Services& services, const PartyKind& kind, QWidget* parent) {
    PartyWindow window(services, kind, parent);
    window.exec();
}

void installPartyCommands(CommandBinder& commands) {
    Services& services = commands.services();
    QWidget* parent = commands.parentWindow();
    const auto customers = [&services, parent] {
        openPartyWindow(services, PartyKind::customers(), parent);
    };
    const auto vendors = [&services, parent] {
        openPartyWindow(services, PartyKind::vendors(), parent);
    };
    commands.bindCommand(QStringLiteral("cmdCustomers"), customers);
    commands.bindCommand(QStringLiteral("mnuDataEntryCustomers"), customers);
    commands.bindCommand(QStringLiteral("cmdVendors"), vendors);
    commands.bindCommand(QStringLiteral("mnuDataEntryVendors"), vendors);
}
