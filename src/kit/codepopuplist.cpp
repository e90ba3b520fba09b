#include "codepopuplist.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

CodePopupList::CodePopupList(QLineEdit* field, QWidget* parent)
    : QListWidget(parent), m_field(field) {
    setFocusPolicy(Qt::NoFocus);
    hide();
    field->installEventFilter(this);
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(row(item)); });
}

void CodePopupList::setCodes(const QStringList& codes, const QStringList& texts) {
    clear();
    m_codes = codes;
    for (int i = 0; i < codes.size(); ++i)
        addItem(texts.value(i));
}

void CodePopupList::popUp() {
    const QPoint below = m_field->mapTo(parentWidget(), QPoint(0, m_field->height()));
    const int rowHeight = sizeHintForRow(0) > 0 ? sizeHintForRow(0) : 18;
    setGeometry(below.x(), below.y(), qMax(m_field->width(), 180),
                rowHeight * count() + 2 * frameWidth() + 2);
    setCurrentRow(m_codes.indexOf(m_field->text()));
    show();
    raise();
}

void CodePopupList::choose(int row) {
    if (row < 0 || row >= count() || !m_field->isEnabled())
        return;
    setCurrentRow(row);
    m_field->setText(m_codes.value(row));
    m_field->selectAll();
    emit chosen(m_codes.value(row));
}

bool CodePopupList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_field)
        return false;
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        hide();
    if (event->type() != QEvent::KeyPress || !m_field->isEnabled())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    // A typed code takes its entry; the step keys come first (Space types a space).
    int row = key->text().isEmpty() ? -1 : int(m_codes.indexOf(key->text()));
    if (key->key() == Qt::Key_Down)
        row = qMin(currentRow() + 1, count() - 1);
    else if (key->key() == Qt::Key_Up)
        row = qMax(currentRow() - 1, 0);
    else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
             key->key() == Qt::Key_Space)
        row = qMax(currentRow(), 0);
    else if (row < 0)
        return false;
    choose(row);
    return true;
}
