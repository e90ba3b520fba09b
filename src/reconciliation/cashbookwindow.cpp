#include "cashbookwindow.h"

#include "data/codes.h"
#include "data/messages.h"
#include "data/settings.h"
#include "kit/handlerguard.h"
#include "kit/mrlookup.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "masters/gridnavigatorbar.h"
#include "masters/gridview.h"
#include "masters/lookups.h"
#include "reconciliation/balances.h"
#include "reconciliation/cashpositionchart.h"
#include "reconciliation/currentbalance.h"
#include "reconciliation/statuswrite.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kForm = QStringLiteral("frmCashbook");
const QString kCalculated = QStringLiteral("Calculated");
const QString kCalculating = QStringLiteral("Calculating...");

QLineEdit* readOnlyField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

} // namespace

CashbookWindow::CashbookWindow(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services),
      m_importDialogs(StatementImport::standardDialogs(services)) {
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Cashbook - Reconciliation"));
    buildLayout();
    installFunctionKeys(this, m_services, kForm);
    guarded(m_services, kForm, QStringLiteral("Form Load"), [this] { load(); });
}

CashbookWindow::~CashbookWindow() {
    // A cell still open when the window goes is not written.
    m_grid->cellCommitted = nullptr;
}

void CashbookWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);

    auto* period = new QHBoxLayout;
    m_month = readOnlyField(this, "txtCurrentMonth");
    m_year = readOnlyField(this, "txtCurrentYear");
    m_view = readOnlyField(this, "txtCurrentView");
    const auto labelled = [this, period](const QString& caption, QLineEdit* field, int stretch) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        period->addWidget(label);
        period->addWidget(field, stretch);
    };
    labelled(QStringLiteral("Current Month"), m_month, 1);
    labelled(QStringLiteral("Current Year"), m_year, 1);
    labelled(QStringLiteral("Current View"), m_view, 3);
    layout->addLayout(period);

    m_model = new ReconciliationListModel(m_services.db, this);
    m_grid = new GridView(this);
    m_grid->setObjectName(QStringLiteral("DataGrid1"));
    m_grid->setAccessibleName(QStringLiteral("Transactions"));
    m_grid->setModel(m_model);
    m_grid->setButtonColumn(ReconciliationListModel::StatusColumn);
    // A book opened read-only is only looked at: the statuses cannot be changed.
    m_grid->setReadOnly(m_services.db.isReadOnly());
    m_grid->verticalHeader()->hide();
    m_grid->setColumnWidth(ReconciliationListModel::DescriptionColumn, 220);
    m_navigator = new GridNavigatorBar(this);
    m_navigator->setObjectName(QStringLiteral("AdoCashbook"));

    // The transactions, and beside them the cash position as a chart, read when it is looked at.
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabCashbook"));
    auto* transactions = new QWidget(tabs);
    auto* list = new QVBoxLayout(transactions);
    list->setContentsMargins(0, 0, 0, 0);
    list->addWidget(m_grid, 1);
    list->addWidget(m_navigator);
    tabs->addTab(transactions, QStringLiteral("&Transactions"));
    m_chart = new CashPositionChart(m_services, tabs);
    tabs->addTab(m_chart, QStringLiteral("Cash &Position"));
    layout->addWidget(tabs, 1);

    auto* figures = new QGridLayout;
    m_currentBalance = readOnlyField(this, "txtCashbookCurrentBalance");
    m_currentBalance->setToolTip(
        QStringLiteral("Cashbook Current Bal = Starting Bank Bal + net(Cashbook Transactions "
                       "with Reconciliation Status Outstanding or Reconciled)"));
    m_statementBalance = readOnlyField(this, "txtBankStatementBalance");
    m_difference = readOnlyField(this, "txtAbsoluteDifference");
    const struct {
        const char* caption;
        QLineEdit* field;
        const char* labelTip;
    } rows[] = {
        {"Cashbook Current Balance", m_currentBalance, nullptr},
        {"Bank Statement  Balance", m_statementBalance,
         "Bank Starting Balance + net(Reconcilied Cashbook Transactions)"},
        {"Absolute Difference", m_difference, nullptr},
    };
    int at = 0;
    for (const auto& row : rows) {
        auto* label = new QLabel(QString::fromLatin1(row.caption), this);
        label->setBuddy(row.field);
        if (row.labelTip)
            label->setToolTip(QString::fromLatin1(row.labelTip));
        auto* calculating = new QLabel(this);
        calculating->setObjectName(QStringLiteral("lblCalculating(%1)").arg(at));
        m_calculating << calculating;
        figures->addWidget(label, at, 0);
        figures->addWidget(row.field, at, 1);
        figures->addWidget(calculating, at, 2);
        ++at;
    }
    m_closingBalance = readOnlyField(this, "txtStatementClosingBalance");
    m_closingDifference = readOnlyField(this, "txtStatementDifference");
    const std::pair<const char*, QLineEdit*> closing[] = {
        {"Imported Statement Closing Balance", m_closingBalance},
        {"Closing Balance - Bank Statement Balance", m_closingDifference}};
    for (const auto& [caption, field] : closing) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setBuddy(field);
        figures->addWidget(label, at, 0);
        figures->addWidget(field, at, 1);
        ++at;
    }
    layout->addLayout(figures);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto button = [this, buttons](const char* name, const QString& caption,
                                        const QString& routine, std::function<void()> clicked) {
        auto* pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setAutoDefault(false);
        buttons->addWidget(pushButton);
        connect(pushButton, &QPushButton::clicked, this,
                [this, routine, clicked = std::move(clicked)] {
                    guarded(m_services, kForm, routine, clicked);
                });
    };
    // Both selection commands report as the one routine they share.
    const QString selectRoutine = QStringLiteral("cmdViewCurrentCB");
    button("cmdAllTransactions", QStringLiteral("&All Transactions"), selectRoutine,
           [this] { applySelection(ReconciliationListModel::Selection::All); });
    button("cmdViewCurrentCB", QStringLiteral("&View Current Month CB"), selectRoutine,
           [this] { applySelection(ReconciliationListModel::Selection::CurrentAndOutstanding); });
    button("cmdImportStatement", QStringLiteral("&Import Statement..."),
           QStringLiteral("cmdImportStatement"), [this] { importStatement(); });
    // A book opened read-only cannot keep a statement.
    findChild<QPushButton*>(QStringLiteral("cmdImportStatement"))
        ->setEnabled(!m_services.db.isReadOnly());
    button("cmdClose", QStringLiteral("&Close"), QStringLiteral("cmdClose"), [this] { close(); });
    layout->addLayout(buttons);

    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        guarded(m_services, kForm, QStringLiteral("MoveComplete"), [this] { moveComplete(); });
    });
    connect(m_navigator, &GridNavigatorBar::firstRequested, this, [this] { moveTo(0); });
    connect(m_navigator, &GridNavigatorBar::previousRequested, this,
            [this] { moveTo(std::max(0, m_grid->currentIndex().row() - 1)); });
    connect(m_navigator, &GridNavigatorBar::nextRequested, this,
            [this] { moveTo(m_grid->currentIndex().row() + 1); });
    connect(m_navigator, &GridNavigatorBar::lastRequested, this,
            [this] { moveTo(m_model->rowCount() - 1); });
    m_grid->cellCommitted = [this](const QModelIndex& index, const QString& text) {
        guarded(m_services, kForm, QStringLiteral("DataGrid1 BU"),
                [this, index, text] { statusEntered(index.row(), text); });
    };
    connect(m_grid, &GridView::cellButtonClicked, this, [this] {
        guarded(m_services, kForm, QStringLiteral("DataGrid1 ButtonClick"),
                [this] { chooseStatus(); });
    });
    connect(m_difference, &QLineEdit::textChanged, this, [this] {
        guarded(m_services, kForm, QStringLiteral("txtAbsoluteDifference"),
                [this] { setCalculating(false); });
    });
    resize(900, 560);
}

void CashbookWindow::load() {
    m_services.busy.reset();
    m_month->setText(mrLookupText(m_services, Settings::CurrentMonth, Settings::MonthName));
    m_year->setText(mrLookupText(m_services, Settings::CurrentYear, Settings::Plain));
    // A listed row shows the figures as it becomes current; an empty list shows them here.
    applySelection(ReconciliationListModel::Selection::CurrentAndOutstanding);
    if (m_model->rowCount() == 0)
        showFigures();
    setCalculating(false);
    // The list is where the work is done: it has the focus, not the period fields.
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CashbookWindow::applySelection(ReconciliationListModel::Selection selection) {
    const QString month = mrLookupText(m_services, Settings::CurrentMonth, Settings::Plain);
    const QString year = mrLookupText(m_services, Settings::CurrentYear, Settings::Plain);
    m_selection = selection;
    m_model->select(selection, Codes::periodRange(month, year));
    m_view->setText(selection == ReconciliationListModel::Selection::All
                        ? QStringLiteral("All Transactions")
                        : QStringLiteral("Current and Outstanding Transactions"));
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, ReconciliationListModel::StatusColumn));
    else
        moveComplete();
}

void CashbookWindow::moveTo(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = std::max(0, m_grid->currentIndex().column());
    m_grid->setCurrentIndex(m_model->index(row, column));
}

void CashbookWindow::moveComplete() {
    const int count = m_model->rowCount();
    const int row = m_grid->currentIndex().row();
    if (count == 0 || row < 0) {
        m_navigator->setCaption(QStringLiteral("Record: 0"));
        return;
    }
    m_navigator->setCaption(QStringLiteral("Record: %1 of %2").arg(row + 1).arg(count));
    showFigures();
}

void CashbookWindow::showFigures() {
    // The figures change with the statuses, and the chart with them.
    m_chart->setOutOfDate();
    const Money current = calcCurrentBalance(m_services, Balances::CurrentBalance).roundedToCent();
    const Money statement =
        calcCurrentBalance(m_services, Balances::StatementBalance).roundedToCent();
    m_currentBalance->setText(current.format(Money::Format::Written));
    m_statementBalance->setText(statement.format(Money::Format::Written));
    const Money difference = current - statement;
    m_difference->setText(
        (difference < Money() ? -difference : difference).format(Money::Format::Written));
    if (m_closing) {
        m_closingBalance->setText(m_closing->roundedToCent().format(Money::Format::Written));
        m_closingDifference->setText(
            (m_closing->roundedToCent() - statement).format(Money::Format::Written));
    }
}

void CashbookWindow::importStatement() {
    const std::optional<StatementImport::Outcome> outcome =
        StatementImport::run(m_services, this, m_importDialogs);
    activateWindow();
    if (!outcome)
        return;
    if (outcome->closingBalance)
        m_closing = outcome->closingBalance;
    // The statuses the import set are shown, and the figures worked out again.
    const int row = std::max(0, m_grid->currentIndex().row());
    applySelection(m_selection);
    moveTo(std::min(row, m_model->rowCount() - 1));
    showFigures();
}

void CashbookWindow::setCalculating(bool calculating) {
    for (QLabel* label : std::as_const(m_calculating))
        label->setText(calculating ? kCalculating : kCalculated);
}

void CashbookWindow::statusEntered(int row, const QString& typed) {
    const QString stored = m_model->status(row);
    const std::optional<QString> status = StatusWrite::storedStatus(typed);
    if (!status) {
        m_services.prompts.critical(Messages::statusNotAllowed(typed));
        return;
    }
    if (*status == stored)
        return;
    const QString transId = m_model->transId(row);
    try {
        StatusWrite::write(m_services.db, transId, *status);
    } catch (const Failure& failure) {
        m_services.prompts.critical(Messages::statusNotSaved(transId, failure.description()));
        return;
    }
    m_model->statusWritten(row);
    guarded(m_services, kForm, QStringLiteral("DataGrid1 AfterUpdate"),
            [this] { setCalculating(true); });
}

void CashbookWindow::chooseStatus() {
    const int row = m_grid->currentIndex().row();
    if (row < 0)
        return;
    m_grid->commitOpenEditor();
    const std::optional<QString> chosen = lookupTransactionStatus(m_services, this);
    returnAfterChooser(m_grid);
    if (chosen && !chosen->isEmpty())
        statusEntered(row, *chosen);
}
