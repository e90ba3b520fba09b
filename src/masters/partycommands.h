#pragma once

class CommandBinder;
class QWidget;
struct PartyKind;
struct Services;

// Opens the customers or vendors window modally; returns when it has closed.
void openPartyWindow(Services& services, const PartyKind& kind, QWidget* parent);

// Binds the Customers and Vendors buttons and their Data Entry menu items.
void installPartyCommands(CommandBinder& commands);
