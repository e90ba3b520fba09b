#include "finddialog.h"

#include "shell/busypointer.h"
#include "shell/handlerguard.h"
#include "shell/services.h"
#include "shell/shellprocs.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSqlQuery>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>

FindDialog::FindDialog(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find Record"));

    auto* layout = new QVBoxLayout(this);
    m_whichTable = new QLabel(this);
    m_whichTable->setObjectName(QStringLiteral("lblWhichTable"));
    layout->addWidget(m_whichTable);

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("txtFind"));
    m_find->setAccessibleName(QStringLiteral("Type the beginning of the entry to find"));
    m_whichTable->setBuddy(m_find);
    layout->addWidget(m_find);

    m_model = new QStringListModel(this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setModel(m_model);
    // Every row has the same height, so a long list is laid out at once.
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAccessibleName(QStringLiteral("Entries to choose from"));
    m_list->setEnabled(false);
    layout->addWidget(m_list, 1);

    auto* bottom = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Double-click to select"), this);
    caption->setObjectName(QStringLiteral("lblCaption"));
    bottom->addWidget(caption, 1);
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAutoDefault(false);
    bottom->addWidget(m_cancel);
    layout->addLayout(bottom);

    setTabOrder(m_find, m_list);
    setTabOrder(m_list, m_cancel);
    resize(360, 420);

    connect(m_find, &QLineEdit::textChanged, this, &FindDialog::typeAhead);
    connect(m_list, &QListView::doubleClicked, this, &FindDialog::choose);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter chooses the selected entry, from the list or from the type-ahead box.
    m_list->installEventFilter(this);
    m_find->installEventFilter(this);

    installFunctionKeys(this, services, objectName());
}

void FindDialog::setAddCaption(const QString& caption) {
    m_whichTable->setText(caption);
}

void FindDialog::setRecordSource(const QString& sql) {
    m_recordSource = sql;
}

void FindDialog::fill() {
    if (m_filled)
        return;
    m_filled = true;
    m_list->setEnabled(false);
    QSqlQuery query = m_services.db.exec(m_recordSource);
    BusyScope busy(m_services.busy);
    QStringList entries;
    while (query.next()) {
        // A null becomes the empty text.
        entries.append(query.value(0).toString());
        if ((entries.size() & 0x7fff) == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (entries.isEmpty())
        return;
    m_entries = std::move(entries);
    m_folded.clear();
    m_folded.reserve(m_entries.size());
    bool ordered = true;
    for (const QString& entry : std::as_const(m_entries)) {
        m_folded.append(entry.toCaseFolded());
        if (ordered && m_folded.size() > 1 &&
            m_folded.at(m_folded.size() - 1) < m_folded.at(m_folded.size() - 2))
            ordered = false;
    }
    if (!ordered)
        m_folded.clear();
    m_model->setStringList(m_entries);
    m_list->setEnabled(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int FindDialog::findPrefix(const QString& text) const {
    const int count = int(m_entries.size());
    if (count == 0)
        return -1;
    const QString wanted = text.toCaseFolded();
    if (!m_folded.isEmpty()) {
        // In case-insensitive order the entries that begin with the text stand together:
        // the first of them, or the second when the first is entry 0 and another follows.
        const auto first = std::lower_bound(m_folded.cbegin(), m_folded.cend(), wanted);
        if (first == m_folded.cend() || !first->startsWith(wanted))
            return -1;
        const int index = int(first - m_folded.cbegin());
        if (index > 0)
            return index;
        return count > 1 && m_folded.at(1).startsWith(wanted) ? 1 : 0;
    }
    for (int i = 1; i < count; ++i)
        if (m_entries.at(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return m_entries.at(0).startsWith(text, Qt::CaseInsensitive) ? 0 : -1;
}

void FindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_filled)
        guarded(m_services, objectName(), QStringLiteral("Form Activate"), [this] { fill(); });
    m_find->setFocus();
}

void FindDialog::typeAhead(const QString& text) {
    // An emptied box looks for nothing: the selection stays where it is.
    if (text.isEmpty())
        return;
    const int index = findPrefix(text);
    if (index < 0)
        return;
    const QModelIndex item = m_model->index(index);
    m_list->setCurrentIndex(item);
    m_list->scrollTo(item, QAbstractItemView::PositionAtTop);
}

void FindDialog::choose(const QModelIndex& index) {
    if (!index.isValid())
        return;
    m_services.lookup.FindResult = m_model->data(index, Qt::DisplayRole).toString();
    accept();
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && (watched == m_list || watched == m_find)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_list->isEnabled() && m_list->currentIndex().isValid())
                choose(m_list->currentIndex());
            return true;
        }
        // Up and down in the box move through the list without leaving the box.
        if (watched == m_find && (key == Qt::Key_Up || key == Qt::Key_Down) &&
            m_list->isEnabled()) {
            const int row = m_list->currentIndex().row();
            const int next =
                std::clamp(row + (key == Qt::Key_Down ? 1 : -1), 0, int(m_entries.size()) - 1);
            const QModelIndex item = m_model->index(row < 0 ? 0 : next);
            m_list->setCurrentIndex(item);
            m_list->scrollTo(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
