#include "finddialog.h"

#include "data/database.h"
#include "data/failure.h"
#include "kit/busypointer.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "shell/shellprocs.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace {

// A long list is read with the window events let through now and then.
constexpr qsizetype kEventsEvery = 0x8000;

// Whether the connection's SQLite is the library this program links: only then may its
// handle be used directly.
bool sameSqlite(const Database& db) {
    static const bool same = [&db] {
        sqlite3_initialize();
        return db.scalar(QStringLiteral("SELECT sqlite_source_id()")).toString() ==
               QLatin1String(sqlite3_sourceid());
    }();
    return same;
}

// The value of the first column as the driver would give it as text; a null is the empty text.
QString columnText(sqlite3_stmt* statement) {
    switch (sqlite3_column_type(statement, 0)) {
    case SQLITE_NULL:
        return QString();
    case SQLITE_INTEGER:
        return QString::number(sqlite3_column_int64(statement, 0));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, 0)).toString();
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                                 sqlite3_column_bytes(statement, 0));
    default:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, 0)),
                                   sqlite3_column_bytes(statement, 0)))
            .toString();
    }
}

// The first column of every row of the query, in its order. Read straight from SQLite where
// possible: the driver converts every column of every row to a QVariant first, which on a
// list of half a million numbers costs more than the query.
// The busy pointer shows once the query has been accepted.
QStringList firstColumnTexts(const Database& db, const QString& sql, BusyPointer& busyPointer) {
    QStringList texts;
    const QVariant handle = db.connection().driver()->handle();
    sqlite3* connection = qstrcmp(handle.typeName(), "sqlite3*") == 0
                              ? *static_cast<sqlite3* const*>(handle.constData())
                              : nullptr;
    if (!connection || !sameSqlite(db)) {
        QSqlQuery query = db.exec(sql);
        BusyScope busy(busyPointer);
        while (query.next()) {
            texts.append(query.value(0).toString());
            if ((texts.size() % kEventsEvery) == 0)
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return texts;
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection, text.constData(), int(text.size()), &statement, nullptr) !=
        SQLITE_OK)
        throw Failure(sqlite3_errcode(connection), QString::fromUtf8(sqlite3_errmsg(connection)));
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> finalizer(statement,
                                                                          &sqlite3_finalize);
    BusyScope busy(busyPointer);
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        texts.append(columnText(statement));
        if ((texts.size() % kEventsEvery) == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (step != SQLITE_DONE)
        throw Failure(sqlite3_errcode(connection), QString::fromUtf8(sqlite3_errmsg(connection)));
    return texts;
}

} // namespace

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
    QStringList entries = firstColumnTexts(m_services.db, m_recordSource, m_services.busy);
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
