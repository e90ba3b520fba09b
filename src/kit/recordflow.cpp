#include "recordflow.h"

#include "data/failure.h"
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "kit/services.h"

RecordFlow::RecordFlow(Services& services, RecordNavigator& navigator, Row row, Texts texts)
    : m_prompts(services.prompts), m_readOnly(services.db.isReadOnly()), m_navigator(navigator),
      m_row(std::move(row)), m_texts(std::move(texts)) {}

bool RecordFlow::leavingWrites() const {
    return !m_readOnly && m_row.hasChanges() && !isLocked();
}

bool RecordFlow::leave() {
    if (m_readOnly)
        return true;
    const bool writing = leavingWrites();
    if (m_texts.moveRefused) {
        if (!m_row.passes(false, writing)) {
            m_prompts.critical(*m_texts.moveRefused);
            m_row.passes(true, writing);
            return false;
        }
    } else if (!m_row.passes(true, writing)) {
        return false;
    }
    // A changed row that passes is written, never dropped, so that what the user typed
    // and what the book holds never silently part.
    return !writing || m_row.write();
}

bool RecordFlow::mayClose() {
    if (m_readOnly || !m_navigator.hasCurrent())
        return true;
    if (!m_texts.closeQuestion)
        return leave();
    const bool writing = leavingWrites();
    if (!m_row.passes(false, writing)) {
        if (m_prompts.ask(*m_texts.closeQuestion, Prompts::Answer::No))
            return true;
        m_row.passes(true, writing);
        return false;
    }
    return !writing || m_row.write();
}

bool RecordFlow::add() {
    if (m_readOnly || (m_row.hasChanges() && !leave()))
        return false;
    m_navigator.add();
    return true;
}

void RecordFlow::save() {
    if (!m_navigator.hasCurrent()) {
        m_prompts.information(Messages::noRecordToSave());
        return;
    }
    if (m_readOnly || isLocked())
        return;
    if (!m_row.passes(true, true)) {
        if (m_texts.notValidated)
            m_prompts.critical(*m_texts.notValidated);
        return;
    }
    if (m_texts.saveQuestion && !m_prompts.ask(*m_texts.saveQuestion, Prompts::Answer::Yes)) {
        m_prompts.information(Messages::notSaved());
        return;
    }
    if (m_row.write())
        m_prompts.information(m_texts.saved);
}

void RecordFlow::remove() {
    if (m_readOnly)
        return;
    if (m_navigator.isEmpty()) {
        m_prompts.information(Messages::noRecordsToDelete());
        return;
    }
    if (m_row.mayDelete && !m_row.mayDelete())
        return;
    if (!m_prompts.ask(Messages::confirmDelete(), Prompts::Answer::No))
        return;
    try {
        // Deleting re-reads the set and shows its first row.
        m_navigator.deleteCurrent();
    } catch (const Failure& failure) {
        // A row other records still name: the book's own words.
        if (!failure.isDuplicateKey())
            throw;
        m_prompts.critical(failure.description());
        return;
    }
    // One on from the first: the row after a deleted first one.
    if (m_navigator.hasCurrent() && m_navigator.count() > 1 && !m_navigator.next())
        throw Failure::operationCancelled();
}
