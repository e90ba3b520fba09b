#include "cashbookentrywindow.h"

#include "data/codes.h"
#include "data/failure.h"
#include "data/messages.h"
#include "data/recordnavigator.h"
#include "data/settings.h"
#include "entry/entrysettings.h"
#include "kit/codepopuplist.h"
#include "kit/fieldgate.h"
#include "kit/handlerguard.h"
#include "kit/lookupcombobox.h"
#include "kit/mrlookup.h"
#include "kit/navigatorbar.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "masters/lookups.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlRecord>

CashbookEntryWindow::Choosers CashbookEntryWindow::standardChoosers() {
    Choosers choosers;
    choosers.account = &lookupChartOfAccounts;
    choosers.find = &findValue;
    return choosers;
}

CashbookEntryWindow::CashbookEntryWindow(Services& services, Setup setup, QWidget* parent)
    : CashbookEntryControls(services, std::move(setup), parent), m_store(services.db),
      m_choosers(standardChoosers()) {
    // Every window lists the newest date first and, within a date, the highest number.
    RecordNavigator::Definition definition;
    definition.table = QStringLiteral("tblCashbook");
    definition.filter = m_setup.filter;
    definition.order = {{QStringLiteral("TransDate"), Qt::DescendingOrder},
                        {QStringLiteral("TransID"), Qt::DescendingOrder}};
    definition.key = {QStringLiteral("TransID")};
    m_navigator = new RecordNavigator(services.db, definition, this);
    m_navigator->setBeforeMove(
        [this](RecordNavigator::Move) { return beforeMove(QStringLiteral("Adodc1 WillMove")); });
    RecordFlow::Row row;
    row.hasChanges = [this] { return m_dirty; };
    row.locked = [this] { return storedRowLocked(); };
    row.passes = [this](bool showMessages, bool writing) {
        return passesChecks(showMessages, writing);
    };
    row.write = [this] { return storeCurrentRow(); };
    row.mayDelete = [this] {
        if (m_status->text().trimmed().toInt() == 1)
            return true;
        m_services.prompts.information(Messages::deleteNotOutstanding());
        return false;
    };
    RecordFlow::Texts texts;
    texts.moveRefused = Messages::moveRefused();
    texts.closeQuestion = Messages::closeQuestion();
    texts.saveQuestion = m_setup.saveQuestion;
    texts.saved = Messages::saved();
    installFlow(*m_navigator, row, texts);
    connect(m_navigator, &RecordNavigator::moved, this, &CashbookEntryWindow::showCurrentRow);
    m_bar->setNavigator(m_navigator);
    const QString noun = m_setup.navigatorNoun;
    m_bar->setCaptionText([noun](qint64 position, qint64 count) {
        return count ? QStringLiteral("%1: %2 of %3").arg(noun).arg(position).arg(count)
                     : noun + QStringLiteral(": 0");
    });
    // A failure of the navigator's own data operations is not shown; the check before a
    // move reports its own failures.
    m_bar->setMoveRunner([this](RecordNavigator::Move, const std::function<void()>& body) {
        if (!m_gate->leaveFocused())
            return;
        try {
            body();
        } catch (const std::exception&) {
        }
    });
    installFunctionKeys(this, services, m_setup.helpTopic);
}

CashbookEntryWindow::~CashbookEntryWindow() = default;

void CashbookEntryWindow::finishSetup() {
    connectSignals();
    guarded(m_services, m_windowName, QStringLiteral("Form Load"), [this] { m_navigator->open(); });
    setWindowState(Qt::WindowMaximized);
    m_services.busy.reset();
}

// ---- building ----------------------------------------------------------------------

void CashbookEntryWindow::connectSignals() {
    m_gate->watch(QList<QWidget*>{m_transType, m_transId, m_desc, m_account, m_amount} +
                      ownWatchedFields(),
                  QList<QWidget*>{m_amount, m_account, m_transId} + ownCheckedFields());

    // Every field bound to a column; the status word is not one.
    trackChanges({m_statusMsg});

    connect(m_account, &LookupComboBox::dropDownRequested, this,
            &CashbookEntryWindow::accountDropDown);
    connect(m_typeList, &CodePopupList::chosen, this, [this](const QString& code) {
        guarded(m_services, m_windowName, routineLabel(m_typeList, "Click"),
                [this, &code] { typeChosen(code); });
    });
    connect(m_datePicker, &QDateEdit::dateChanged, this, &CashbookEntryWindow::datePicked);
    connect(m_transDate, &QLineEdit::textChanged, this, &CashbookEntryWindow::dateTextChanged);
    connect(m_status, &QLineEdit::textChanged, this, [this] {
        guarded(m_services, m_windowName, routineLabel(m_status, "Change"),
                [this] { statusDisplay(); });
    });

    using Command = void (CashbookEntryWindow::*)();
    const std::pair<QPushButton*, Command> commands[] = {
        {m_add, &CashbookEntryWindow::cmdAdd},   {m_save, &CashbookEntryWindow::cmdSave},
        {m_undo, &CashbookEntryWindow::cmdUndo}, {m_delete, &CashbookEntryWindow::cmdDelete},
        {m_find, &CashbookEntryWindow::cmdFind}, {m_close, &CashbookEntryWindow::cmdClose}};
    // Each routine is named for its button; Find's name is the window's own.
    for (const auto& [button, command] : commands)
        connect(button, &QPushButton::clicked, this, [this, button, command] {
            runCommand(button == m_find ? m_setup.findRoutine : button->objectName(),
                       [this, command] { (this->*command)(); });
        });
}

// ---- default hooks -----------------------------------------------------------------

bool CashbookEntryWindow::leaveOwnField(QWidget*, bool) {
    return true;
}

void CashbookEntryWindow::typeChosen(const QString&) {}

std::optional<CashbookStore::Counter> CashbookEntryWindow::counterToAdvance() const {
    return std::nullopt;
}

void CashbookEntryWindow::rowWritten() {}

void CashbookEntryWindow::rowUndone() {}

void CashbookEntryWindow::gotFocus(QWidget* widget) {
    if (widget == m_transType) {
        m_typeList->popUp();
        m_transType->selectAll();
    } else {
        RecordWindow::gotFocus(widget);
    }
}

// ---- amounts and accounts ----------------------------------------------------------

void CashbookEntryWindow::setOffsetAccount(const QString& code, const QString& dept,
                                           const QString& description) {
    m_account->setEditText(code);
    m_dept->setText(dept);
    m_accountDesc->setText(description);
    m_filledAccount = code;
}

// ---- the shown row -----------------------------------------------------------------

void CashbookEntryWindow::showCurrentRow() {
    guarded(m_services, m_windowName, QStringLiteral("MoveComplete"), [this] {
        {
            Binding binding(*this);
            const bool stored = m_navigator->hasCurrent() && !m_navigator->isAdding();
            // A shown row replaces every amount, whatever the fields held before.
            m_bindings.clearAmounts();
            showRow(stored ? &m_navigator->record() : nullptr);
            m_bindings.rememberStoredAmounts(stored ? &m_navigator->record() : nullptr);
            m_filledAccount = m_account->currentText();
            statusDisplay();
        }
        m_dirty = m_navigator->isAdding();
        m_gate->accept();
        if (m_navigator->isEmpty())
            PreventDataEntry(true);
    });
}

void CashbookEntryWindow::statusDisplay() {
    const QString status = m_status->text();
    m_statusMsg->setText(Codes::statusWord(status));
    const bool locked =
        status == Codes::Reconciled || status == Codes::Reversed || status == Codes::Void;
    PreventDataEntry(locked);
}

void CashbookEntryWindow::PreventDataEntry(bool lock) {
    guarded(m_services, m_windowName, QStringLiteral("PreventDataEntry"), [this, lock] {
        // A book opened read-only shows every row as a reconciled one is shown, and offers
        // no Add: the window is for looking and finding.
        const bool locked = lock || isReadOnly();
        QList<QWidget*> widgets = entryFields();
        widgets << m_delete << m_undo << m_save;
        for (QWidget* widget : widgets)
            widget->setEnabled(!locked);
        m_add->setEnabled(!isReadOnly());
        m_find->setEnabled(true);
        m_bar->setEnabled(true);
        if (locked)
            m_typeList->hide();
        update();
    });
}

void CashbookEntryWindow::formActivate() {
    guarded(m_services, m_windowName, QStringLiteral("Form Activate"), [this] {
        if (m_navigator->isEmpty()) {
            PreventDataEntry(true);
            m_add->setFocus(Qt::OtherFocusReason);
        }
    });
}

bool CashbookEntryWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        formActivate();
    return QDialog::event(event);
}

// A reconciled, reversed or void row is never written by this window, whatever its fields hold.
bool CashbookEntryWindow::storedRowLocked() const {
    if (!m_navigator->hasCurrent() || m_navigator->isAdding())
        return false;
    const QString status = m_navigator->value(QStringLiteral("TransStatus")).toString();
    return status == Codes::Reconciled || status == Codes::Reversed || status == Codes::Void;
}

bool CashbookEntryWindow::passesChecks(bool showMessages, bool writing) {
    if (!Validated(showMessages))
        return false;
    return !writing || runCheck(showMessages, [this](const EntryRules::Settings& settings) {
        return writeRefusal(settings);
    });
}

bool CashbookEntryWindow::Validated(bool showMessages) {
    return runCheck(showMessages, [this](const EntryRules::Settings& settings) {
        // The normalisations are part of the row only when it is written.
        Binding binding(*this);
        return checkRow(settings);
    });
}

bool CashbookEntryWindow::runCheck(
    bool showMessages,
    const std::function<std::optional<EntryRules::Refusal>(const EntryRules::Settings&)>& check) {
    bool passed = false;
    guarded(m_services, m_windowName, QStringLiteral("Validated"),
            [this, showMessages, &check, &passed] {
                const std::optional<EntryRules::Refusal> refusal =
                    check(readEntrySettings(m_services));
                if (refusal) {
                    if (showMessages)
                        m_services.prompts.critical(refusal->message);
                    focusField(refusal->field);
                    return;
                }
                passed = true;
            });
    return passed;
}

// ---- field rules -------------------------------------------------------------------

bool CashbookEntryWindow::amountCheck(QLineEdit* edit) {
    return m_gate->check(routineLabel(edit, "Validate"), [this, edit] {
        const QString text = edit->text();
        if (Money::isBlank(text))
            return true;
        const std::optional<Money> value = Money::parse(text);
        if (!value) {
            m_services.prompts.critical(Messages::notANumber());
            return false;
        }
        if (!value->withinEntryLimit()) {
            m_services.prompts.critical(Messages::amountOutOfRange());
            return false;
        }
        if (m_setup.askNegativeAmount && *value < Money())
            return m_services.prompts.ask(Messages::negativeAmountQuestion());
        return true;
    });
}

bool CashbookEntryWindow::leaveField(QWidget* widget, bool focusLeaving) {
    if (widget == m_amount) {
        if (!m_gate->settle(widget, focusLeaving, amountCheck(m_amount)))
            return false;
        guarded(m_services, m_windowName, routineLabel(m_amount, "LostFocus"),
                [this] { amountLeft(); });
        return true;
    }
    if (widget == m_account)
        return m_gate->settle(
            widget, focusLeaving,
            m_gate->check(routineLabel(m_account, "LostFocus"), [this] { return leaveAccount(); }));
    if (widget == m_transId) {
        // While adding, a number any transaction of the book already has is refused here,
        // at the field, rather than by the book at Save.
        const bool passed = m_gate->check(routineLabel(m_transId, "Validate"), [this] {
            const QString number = m_transId->text();
            if (!m_navigator->isAdding() || number.isEmpty() || !m_store.transIdExists(number))
                return true;
            m_services.prompts.critical(Messages::duplicateNumber());
            m_transId->clear();
            return false;
        });
        return m_gate->settle(widget, focusLeaving, passed);
    }
    if (!leaveOwnField(widget, focusLeaving)) {
        m_gate->refuse(widget, focusLeaving);
        return false;
    }
    return true;
}

// A typed account code: an unknown one is refused; a known one fills its department and
// description as a pick does, unless its details are already shown.
bool CashbookEntryWindow::leaveAccount() {
    const QString code = m_account->currentText();
    if (code.isEmpty() || EntryRules::sameCode(code, m_filledAccount))
        return true;
    const QList<CashbookStore::Account> rows = m_store.accountRows(code);
    if (rows.isEmpty()) {
        m_services.prompts.critical(Messages::unknownAccount());
        m_account->setEditText(QString());
        return false;
    }
    if (rows.size() > 1) {
        // Which department to post to is the user's choice, never a guess.
        m_services.prompts.critical(Messages::accountHasDepartments(code));
        return false;
    }
    setOffsetAccount(rows.front().code, rows.front().dept, rows.front().description);
    return true;
}

void CashbookEntryWindow::accountDropDown() {
    guarded(m_services, m_windowName, routineLabel(m_account, "DropDown"), [this] {
        if (!m_account->isEnabled())
            return;
        const std::optional<AccountChoice> chosen = m_choosers.account(m_services, this);
        reactivate();
        if (chosen) {
            setOffsetAccount(chosen->code, chosen->dept, chosen->description);
            m_bankAccount->setText(mrLookupText(m_services, Settings::BankAccount, Settings::Code));
            m_bankDept->setText(mrLookupText(m_services, Settings::BankAccount, Settings::Dept));
        }
        m_amount->setFocus(Qt::OtherFocusReason);
    });
}

void CashbookEntryWindow::datePicked() {
    if (isBinding())
        return;
    guarded(m_services, m_windowName, m_setup.datePickerRoutine,
            [this] { m_transDate->setText(Codes::dateToStored(m_datePicker->date())); });
}

void CashbookEntryWindow::dateTextChanged() {
    guarded(m_services, m_windowName, routineLabel(m_transDate, "Change"), [this] {
        const QString text = m_transDate->text();
        QDate date = text.isEmpty() ? m_services.clock.today() : Codes::dateFromStored(text);
        if (!date.isValid())
            date = m_services.clock.today();
        // Setting the picker is not a pick: it must not write the field back.
        Binding binding(*this);
        m_datePicker->setDate(date);
    });
}

// ---- commands ----------------------------------------------------------------------

void CashbookEntryWindow::cmdAdd() {
    // Changes to the shown row are not dropped by Add: they are written as a move writes them.
    if (m_gate->isRefused() || !m_flow->add())
        return;
    PreventDataEntry(false);
    lockForAdding();
    m_transType->setText(m_setup.defaultType);
    m_transDate->setText(Codes::dateToStored(m_services.clock.today()));
    m_bankAccount->setText(mrLookupText(m_services, Settings::BankAccount, Settings::Code));
    m_bankDept->setText(mrLookupText(m_services, Settings::BankAccount, Settings::Dept));
    beginRow();
}

void CashbookEntryWindow::lockForAdding() {
    for (QWidget* command : {static_cast<QWidget*>(m_add), static_cast<QWidget*>(m_delete),
                             static_cast<QWidget*>(m_find), static_cast<QWidget*>(m_bar)})
        command->setEnabled(false);
}

bool CashbookEntryWindow::storeCurrentRow() {
    // A refused or failed write leaves the window as it was: the status shown, the commands
    // of a row being added, and everything typed, the number included.
    const QString statusBefore = m_status->text();
    auto restore = [this, &statusBefore] {
        Binding binding(*this);
        m_status->setText(statusBefore);
        if (m_navigator->isAdding())
            lockForAdding();
    };
    {
        Binding binding(*this);
        prepareForSave();
        m_status->setText(Codes::Outstanding);
    }
    try {
        const QVariantMap columns = rowColumns();
        const std::optional<CashbookStore::Counter> counter = counterToAdvance();
        const QString originalKey =
            m_navigator->isAdding() ? QString() : m_navigator->currentKey().value(0).toString();
        m_store.write(columns, originalKey, counter);
    } catch (const Failure& failure) {
        restore();
        if (!failure.isDuplicateKey())
            throw;
        m_services.prompts.critical(Messages::duplicateNumber());
        m_transId->setFocus(Qt::OtherFocusReason);
        m_transId->selectAll();
        return false;
    } catch (...) {
        restore();
        throw;
    }
    rowWritten();
    m_dirty = false;
    m_navigator->rowSaved(m_transId->text());
    return true;
}

void CashbookEntryWindow::cmdSave() {
    m_flow->save();
}

void CashbookEntryWindow::cmdUndo() {
    if (m_navigator->isEmpty())
        return;
    rowUndone();
    m_navigator->undo();
    // A new row undone in an empty book leaves nothing to edit.
    if (m_navigator->isEmpty()) {
        PreventDataEntry(true);
        m_add->setFocus(Qt::OtherFocusReason);
    }
}

void CashbookEntryWindow::cmdDelete() {
    m_flow->remove();
}

void CashbookEntryWindow::cmdFind() {
    const std::optional<QString> found =
        m_choosers.find(m_services, this, m_setup.findCaption, m_setup.findQuery);
    reactivate();
    if (!found || found->isEmpty())
        return;
    if (m_navigator->hasCurrent() && !m_navigator->first())
        throw Failure::operationCancelled();
    if (m_navigator->moveToKey(*found))
        return;
    m_services.prompts.critical(m_setup.notFoundLabel + *found + QStringLiteral(" was not found."));
    if (m_navigator->hasCurrent() && !m_navigator->last())
        throw Failure::operationCancelled();
}

bool CashbookEntryWindow::escapeUndoes() const {
    return m_dirty || m_navigator->isAdding();
}

void CashbookEntryWindow::cmdClose() {
    closeWindow(QStringLiteral("cmdClose"));
}
