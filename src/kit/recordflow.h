#pragma once

#include "kit/prompts.h"

#include <QString>
#include <functional>
#include <optional>

class RecordNavigator;
struct Services;

// The life of the shown row in a window that edits one record at a time over a
// RecordNavigator: when leaving the row writes it, and the commands Add, Save, Delete and
// Close with their questions and messages. The window supplies its checks and its write;
// the flow decides when they run, so every such window leaves, saves and deletes alike.
// Nothing here is guarded: the window calls the flow from its guarded handlers.
//
// On a book opened read-only the window is for looking: every move and closing is allowed
// without the checks (a stored row that breaks them cannot be mended there, so it must not
// hold the user), and nothing is ever added, written or deleted.
class RecordFlow {
public:
    // What the window supplies about its shown row.
    struct Row {
        // Whether the shown row holds edits not yet written.
        std::function<bool()> hasChanges;
        // A row the window never writes, whatever its fields hold; none when empty.
        std::function<bool()> locked;
        // The checks of the shown row, with writing when it is about to be written. False
        // when refused; with showMessages the refusal is shown and its field focused.
        std::function<bool(bool showMessages, bool writing)> passes;
        // Writes the shown row; false when refused (the window has said why).
        std::function<bool()> write;
        // Before Delete's question: false when the row may not be deleted (said why).
        std::function<bool()> mayDelete;
    };
    // The window's texts for the flow's questions and messages.
    struct Texts {
        // A move refused by the checks says this first, then the checks' own message.
        std::optional<QString> moveRefused;
        // Closing refused by the checks asks this; Yes closes without writing.
        std::optional<QString> closeQuestion;
        // Save refused by the checks says this after the checks' own message.
        std::optional<QString> notValidated;
        // Save asks this first; No says notSaved and writes nothing.
        std::optional<QString> saveQuestion;
        QString saved;
    };

    RecordFlow(Services& services, RecordNavigator& navigator, Row row, Texts texts);

    // The book was opened read-only: the flow never writes.
    bool isReadOnly() const { return m_readOnly; }

    // Whether leaving the shown row writes it: it has changes and is not locked.
    bool leavingWrites() const;
    // Before a move: the checks and, for a changed row, its write. False keeps the row shown.
    bool leave();
    // Before the window closes: as leave, but a row the checks refuse may be dropped when
    // the window asks. True when the window may close.
    bool mayClose();
    // Add: a changed row is left (written) first; false when that was refused, or on a
    // read-only book.
    bool add();
    void save();
    void remove();

private:
    bool isLocked() const { return m_row.locked && m_row.locked(); }

    Prompts& m_prompts;
    const bool m_readOnly;
    RecordNavigator& m_navigator;
    const Row m_row;
    const Texts m_texts;
};
