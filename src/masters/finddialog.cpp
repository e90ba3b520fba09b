#include "finddialog.h"

#include "kit/busypointer.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "masters/findlistmodel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
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

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
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

int FindDialog::entryCount() const {
    return m_model ? m_model->rowCount() : 0;
}

void FindDialog::fill() {
    if (m_filled)
        return;
    m_filled = true;
    m_list->setEnabled(false);
    auto* model = new FindListModel(m_services.db, m_recordSource, this);
    {
        BusyScope busy(m_services.busy);
        model->open();
    }
    m_model = model;
    m_list->setModel(m_model);
    if (m_model->rowCount() == 0)
        return;
    m_list->setEnabled(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
    if (!m_model)
        return;
    const int index = m_model->findPrefix(text);
    if (index < 0)
        return;
    const QModelIndex item = m_model->index(index);
    m_list->setCurrentIndex(item);
    m_list->scrollTo(item, QAbstractItemView::PositionAtTop);
}

void FindDialog::choose(const QModelIndex& index) {
    if (!index.isValid())
        return;
    m_chosen = m_model->text(index.row());
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
                std::clamp(row + (key == Qt::Key_Down ? 1 : -1), 0, m_model->rowCount() - 1);
            const QModelIndex item = m_model->index(row < 0 ? 0 : next);
            m_list->setCurrentIndex(item);
            m_list->scrollTo(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
