#include "partywindow.h"

#include "data/messages.h"
#include "kit/handlerguard.h"
#include "kit/navigatorbar.h"
#include "kit/recordflow.h"
#include "kit/services.h"
#include "masters/findincaller.h"
#include "masters/lookups.h"

#include <QAbstractButton>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

PartyWindow::PartyWindow(Services& services, const PartyKind& kind, QWidget* parent)
    : QDialog(parent), m_services(services), m_kind(kind), m_store(services.db, kind) {
    setObjectName(kind.windowName);
    setWindowTitle(kind.caption);
    buildLayout();
    load();
}

PartyWindow::~PartyWindow() = default;

void PartyWindow::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    for (int i = 0; i < PartyKind::FieldCount; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtFields"));
        edit->setProperty("index", i);
        edit->setMaxLength(m_kind.maxLengths[size_t(i)]);
        edit->setToolTip(m_kind.tooltip);
        edit->installEventFilter(this);
        m_fields[size_t(i)] = edit;
    }
    const auto label = [this](const QString& text, int index) {
        auto* caption = new QLabel(text, this);
        caption->setBuddy(field(index));
        return caption;
    };
    grid->addWidget(label(m_kind.numberLabel, 0), 0, 0);
    grid->addWidget(field(0), 0, 1);
    grid->addWidget(label(m_kind.nameLabel, 1), 1, 0);
    grid->addWidget(field(1), 1, 1);
    grid->addWidget(label(QStringLiteral("Add&ress"), 2), 2, 0);
    for (int i = 2; i <= 5; ++i) {
        grid->addWidget(field(i), i, 1);
        field(i)->setAccessibleName(QStringLiteral("Address line %1").arg(i - 1));
    }
    grid->addWidget(label(QStringLiteral("&Postal Code"), 6), 6, 0);
    grid->addWidget(field(6), 6, 1);
    field(0)->setAccessibleName(QString(m_kind.numberLabel).remove(QLatin1Char('&')));
    field(1)->setAccessibleName(QString(m_kind.nameLabel).remove(QLatin1Char('&')));
    field(6)->setAccessibleName(QStringLiteral("Postal Code"));

    const auto findButton = [this](const QString& name, const QString& what) {
        auto* button = new QPushButton(QStringLiteral("F"), this);
        button->setObjectName(name);
        QFont bold = button->font();
        bold.setBold(true);
        button->setFont(bold);
        button->setAutoDefault(false);
        button->setToolTip(QStringLiteral("Find by ") + what);
        button->setAccessibleName(QStringLiteral("Find by ") + what);
        const int width = button->fontMetrics().horizontalAdvance(QStringLiteral("MM")) + 8;
        button->setFixedWidth(width);
        return button;
    };
    const QString noun = m_kind.noun;
    m_findByNumber = findButton(m_kind.findByNumberButton, noun + QStringLiteral(" Number"));
    m_findByName = findButton(m_kind.findByNameButton, noun + QStringLiteral(" Name"));
    grid->addWidget(m_findByNumber, 0, 2);
    grid->addWidget(m_findByName, 1, 2);
    grid->setColumnStretch(1, 1);

    m_records = new RecordNavigator(m_services.db, m_store.recordSet(), this);
    m_records->setBeforeMove([this](RecordNavigator::Move) { return m_flow->leave(); });
    RecordFlow::Row row;
    row.hasChanges = [this] { return isDirty(); };
    // Only a changed record is checked, and it is checked as Save checks it.
    row.passes = [this](bool showMessages, bool writing) {
        return !writing || Validated(showMessages);
    };
    row.write = [this] { return writeShown(); };
    RecordFlow::Texts texts;
    texts.notValidated = Messages::notValidatedNotSaved();
    texts.saved = Messages::recordSaved();
    m_flow = std::make_unique<RecordFlow>(m_services, *m_records, row, texts);
    connect(m_records, &RecordNavigator::moved, this, &PartyWindow::showCurrent);
    m_bar = new NavigatorBar(this);
    m_bar->setObjectName(QStringLiteral("datPrimaryRS"));
    m_bar->setCaptionText([noun = m_kind.noun](qint64 position, qint64 count) {
        if (count == 0)
            return noun + QStringLiteral(": 0");
        return QStringLiteral("%1: %2 of %3").arg(noun).arg(position).arg(count);
    });
    // A refused write or a failed read while moving is reported; the move does not happen.
    m_bar->setMoveRunner([this](RecordNavigator::Move, const std::function<void()>& move) {
        run(QStringLiteral("WillMove"), move);
    });
    m_bar->setNavigator(m_records);
    layout->addWidget(m_bar);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("picButtons"));
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(0, 0, 0, 0);
    const auto command = [panel, buttons](const char* name, const char* caption) {
        auto* button = new QPushButton(QString::fromLatin1(caption), panel);
        button->setObjectName(QString::fromLatin1(name));
        // Enter in a field must not press a button: it would add or delete a record.
        button->setAutoDefault(false);
        buttons->addWidget(button);
        return button;
    };
    m_add = command("cmdAdd", "&Add");
    m_save = command("cmdUpdate", "&Save");
    m_delete = command("cmdDelete", "&Delete");
    m_close = command("cmdClose", "&Close");
    layout->addWidget(panel);
    // A book opened read-only: records are looked at and found, never added, changed or
    // deleted. The fields stay enabled so that their texts can be selected and handed over.
    if (m_flow->isReadOnly()) {
        for (QLineEdit* edit : m_fields)
            edit->setReadOnly(true);
        for (QPushButton* button : {m_add, m_save, m_delete})
            button->setEnabled(false);
    }

    // Tab follows the order of creation: the seven fields, the two find buttons, the
    // navigator, then the command buttons.

    connect(m_add, &QPushButton::clicked, this,
            [this] { run(QStringLiteral("cmdAdd"), [this] { addRecord(); }); });
    connect(m_save, &QPushButton::clicked, this,
            [this] { run(QStringLiteral("cmdSave"), [this] { m_flow->save(); }); });
    connect(m_delete, &QPushButton::clicked, this,
            [this] { run(QStringLiteral("cmdDelete"), [this] { m_flow->remove(); }); });
    connect(m_close, &QPushButton::clicked, this,
            [this] { run(QStringLiteral("cmdClose"), [this] { closeWindow(); }); });
    connect(m_findByNumber, &QPushButton::clicked, this, [this] {
        run(m_kind.findByNumberButton, [this] {
            findRecord(PartyKind::NumberField, m_kind.findByNumberCaption,
                       m_kind.findByNumberQuery);
        });
    });
    connect(m_findByName, &QPushButton::clicked, this, [this] {
        run(m_kind.findByNameButton, [this] {
            findRecord(PartyKind::NameField, m_kind.findByNameCaption, m_kind.findByNameQuery);
        });
    });
}

void PartyWindow::run(const QString& routine, const std::function<void()>& body) {
    guarded(m_services, m_kind.windowName, routine, body);
}

void PartyWindow::load() {
    run(QStringLiteral("Form Load"), [this] { m_records->open(); });
}

void PartyWindow::showCurrent() {
    run(QStringLiteral("MoveComplete"), [this] {
        const bool hasRecord = m_records->hasCurrent();
        m_stored = hasRecord ? m_store.texts(m_records->record()) : PartyRecord{};
        for (int i = 0; i < PartyKind::FieldCount; ++i) {
            QLineEdit* edit = field(i);
            const QString& text = m_stored[size_t(i)];
            // A stored text longer than the field's limit (an imported one) is shown whole,
            // never cut: the limit applies to what is typed.
            edit->setMaxLength(std::max(m_kind.maxLengths[size_t(i)], int(text.size())));
            edit->setText(text);
            edit->setEnabled(hasRecord);
        }
    });
}

PartyRecord PartyWindow::shownTexts() const {
    PartyRecord texts;
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        texts[size_t(i)] = field(i)->text();
    return texts;
}

bool PartyWindow::isDirty() const {
    return m_records->hasCurrent() && shownTexts() != m_stored;
}

bool PartyWindow::Validated(bool showMessages) {
    bool valid = false;
    run(QStringLiteral("Validated"), [&] {
        const std::optional<int> missing = PartyStore::missingField(shownTexts());
        if (!missing) {
            valid = true;
            return;
        }
        if (!showMessages)
            return;
        m_services.prompts.critical(*missing == PartyKind::NumberField ? m_kind.numberMessage
                                                                       : m_kind.nameMessage);
        field(*missing)->setFocus();
    });
    return valid;
}

bool PartyWindow::writeShown() {
    const PartyRecord texts = shownTexts();
    try {
        if (m_records->isAdding())
            m_store.insert(texts);
        else
            m_store.update(m_records->currentKey().value(0).toString(), m_stored, texts);
    } catch (const Failure& failure) {
        if (!failure.isDuplicateKey())
            throw;
        // The database's own words; the record stays on screen with the user's edits.
        m_services.prompts.critical(failure.description());
        field(PartyKind::NumberField)->setFocus();
        return false;
    }
    // The navigator reads the written record back and finds its place in number order.
    m_records->rowSaved(texts[PartyKind::NumberField]);
    return true;
}

void PartyWindow::revertEdits() {
    for (int i = 0; i < PartyKind::FieldCount; ++i)
        field(i)->setText(m_stored[size_t(i)]);
}

void PartyWindow::addRecord() {
    if (m_flow->add())
        field(PartyKind::NumberField)->setFocus();
}

void PartyWindow::findRecord(int fieldIndex, const QString& caption, const QString& query) {
    const std::optional<QString> value = findValue(m_services, this, caption, query);
    returnAfterChooser(field(fieldIndex));
    if (!value || value->isEmpty())
        return;
    // Going to the found record leaves the shown one, which writes its edits first.
    if (!m_flow->leave())
        return;
    FindTarget target;
    target.moveToFirstEqual = [this, fieldIndex](const QString& wanted) {
        const std::optional<QString> number = m_store.firstNumberWhere(fieldIndex, wanted);
        return number && m_records->moveToKey(*number);
    };
    target.moveToLast = [this] { m_records->last(); };
    showFoundRecord(m_services, target, m_kind.notFoundLabel, *value);
}

void PartyWindow::transfer() {
    if (!m_flow->leave())
        return;
    const auto text = [this](int i) { return field(i)->text(); };
    m_chosen = PartyChoice{text(0), text(1), {text(2), text(3), text(4), text(5)}, text(6)};
    if (m_chosen->code.isEmpty())
        m_chosen.reset();
    closeWindow();
}

void PartyWindow::closeWindow() {
    if (!m_flow->mayClose())
        return;
    m_leaving = true;
    accept();
}

void PartyWindow::done(int result) {
    // Esc and the close box come here through reject(): they leave the record as Close does.
    if (!m_leaving) {
        bool leave = false;
        run(QStringLiteral("Form Unload"), [&] { leave = m_flow->mayClose(); });
        if (!leave)
            return;
        m_leaving = true;
    }
    m_services.busy.reset();
    QDialog::done(result);
}

bool PartyWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && edit->objectName() == QLatin1String("txtFields")) {
        if (event->type() == QEvent::FocusIn) {
            // After the click that gave the focus has placed the cursor.
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            run(QStringLiteral("txtFields DblClick"), [this] { transfer(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PartyWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        m_services.launcher.showHelp(m_kind.windowName);
        return;
    }
    if (event->key() == Qt::Key_Escape && isDirty()) {
        revertEdits();
        return;
    }
    // A chooser hands the record over on Enter as on a double-click; Enter on a focused
    // button is left to the button.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_choosing && !qobject_cast<QAbstractButton*>(focusWidget())) {
        run(QStringLiteral("Form KeyPress"), [this] { transfer(); });
        return;
    }
    QDialog::keyPressEvent(event);
}

void PartyWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        run(QStringLiteral("Form DblClick"), [this] { transfer(); });
        return;
    }
    QDialog::mouseDoubleClickEvent(event);
}
