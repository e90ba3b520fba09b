#pragma once

class QWidget;
class SwitchboardWindow;
struct PartyKind;
struct Services;

// Opens the customers or vendors window modally; returns when it has closed.
void openPartyWindow(Services& services, const PartyKind& kind, QWidget* parent);

// Binds the switchboard's Customers and Vendors buttons and their Data Entry menu items.
void installPartyCommands(SwitchboardWindow& switchboard);
