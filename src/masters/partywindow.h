#pragma once

#include "masters/choices.h"
#include "masters/partykind.h"
#include "masters/partystore.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class NavigatorBar;
class QLineEdit;
class QPushButton;
class RecordFlow;
class RecordNavigator;
struct Services;

// The customers window and the vendors window: one record at a time in seven bound
// fields, a record navigator, Add/Save/Delete/Close and find by number or by name.
// Opened as a lookup, a double-click or Enter hands the shown record to the caller.
//
// Edits stay in the fields until the record is written: by Save, or when the user moves
// off the record (navigator, Add, find, double-click, closing). Moving off a changed
// record checks it with Validated and writes it; when either refuses, the move does not
// happen and the record stays on screen with the user's edits. Esc with unwritten edits
// puts the stored values back. On a book opened read-only the fields cannot be typed in and
// Add, Save and Delete are disabled.
class PartyWindow : public QDialog {
    Q_OBJECT
public:
    PartyWindow(Services& services, const PartyKind& kind, QWidget* parent = nullptr);
    ~PartyWindow() override;

    const PartyKind& kind() const { return m_kind; }
    // txtFields(index), 0 to 6.
    QLineEdit* field(int index) const { return m_fields.at(size_t(index)); }
    // The window's record set and its navigator bar (datPrimaryRS).
    RecordNavigator& records() const { return *m_records; }
    NavigatorBar* navigatorBar() const { return m_bar; }
    // Whether the shown record has edits not yet written.
    bool isDirty() const;

    // Whether the shown record may be saved: the number, then the name, must not be
    // empty. With showMessages the first refusal is shown and its field gets the focus.
    bool Validated(bool showMessages);

    // A window opened to choose a record: Enter then hands the shown record over as a
    // double-click does.
    void setChoosing(bool choosing) { m_choosing = choosing; }
    // The record handed over, if any.
    std::optional<PartyChoice> chosen() const { return m_chosen; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void buildLayout();
    void load();
    void showCurrent();
    PartyRecord shownTexts() const;
    // Writes the shown record; a refusal by the database is shown with its own words.
    bool writeShown();
    void revertEdits();

    void addRecord();
    void findRecord(int fieldIndex, const QString& caption, const QString& query);
    void transfer();
    void closeWindow();

    void run(const QString& routine, const std::function<void()>& body);

    Services& m_services;
    const PartyKind& m_kind;
    PartyStore m_store;
    RecordNavigator* m_records = nullptr;
    std::unique_ptr<RecordFlow> m_flow;
    PartyRecord m_stored; // the shown record as read (all empty for a new record)
    std::array<QLineEdit*, PartyKind::FieldCount> m_fields{};
    NavigatorBar* m_bar = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_findByNumber = nullptr;
    QPushButton* m_findByName = nullptr;
    bool m_choosing = false;
    std::optional<PartyChoice> m_chosen;
    bool m_leaving = false; // the window is closing through its own close routine
};
