#include "printselectionwindow.h"

#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "reports/reportlaunchers.h"
#include "reports/reportletterhead.h"
#include "reports/reportqueries.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

PrintSelectionWindow::PrintSelectionWindow(Services& services, PrintSelectionKind kind,
                                           ReportPrinting* printing, QWidget* parent)
    : QDialog(parent), m_services(services), m_kind(std::move(kind)), m_printing(printing) {
    setObjectName(m_kind.form);
    setWindowTitle(m_kind.caption);
    buildWindow();
    guarded(m_services, m_kind.form, QStringLiteral("Form Load"), [this] {
        installHelpKey(this, m_services, m_kind.form);
        load();
    });
}

void PrintSelectionWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(m_kind.instruction, this);
    instruction->setWordWrap(true);
    layout->addWidget(instruction);
    m_list = new QListWidget(this);
    m_list->setObjectName(m_kind.list);
    m_list->setAccessibleName(m_kind.listAccessibleName);
    instruction->setBuddy(m_list);
    layout->addWidget(m_list, 1);
    layout->addWidget(new QLabel(m_kind.orderNote, this));

    // A double-click on a number prints it, as the button does.
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        guarded(m_services, m_kind.form, m_kind.list + QStringLiteral(" DblClick"),
                [this] { preview(); });
    });

    ButtonRow buttons(this, layout, m_services, m_kind.form);
    buttons.add(m_kind.printCommand, QStringLiteral("&Print / Preview"), [this] { preview(); });
    buttons.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { close(); });
    resize(360, 420);
}

void PrintSelectionWindow::load() {
    m_list->addItems(m_kind.ids(m_services.db));
}

void PrintSelectionWindow::preview() {
    const QList<QListWidgetItem*> chosen = m_list->selectedItems();
    if (chosen.isEmpty()) {
        m_services.prompts.critical(m_kind.notSelected);
        return;
    }
    // Each preview runs the command afresh for the chosen number, under its issuer's name.
    ReportLayout layout = m_kind.layout();
    ReportLetterhead::addIssuer(m_services.db, layout);
    ReportLaunchers::show(m_services, std::move(layout),
                          ReportQueries::transaction(chosen.first()->text()), this, m_printing);
}
