#include "qtservices.h"

#include "shell/helpviewer.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>

Prompts::Answer QtPrompts::show(const QString& text, Icon icon, Buttons buttons,
                                Answer defaultButton) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QStringLiteral("Quillan"));
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultButton == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

namespace {
// "Text Files (*.txt)|*.txt|CSV (*.csv)|*.csv" becomes Qt's ";;"-separated form.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString label = parts.at(i);
        if (!label.contains(QLatin1Char('(')))
            label += QStringLiteral(" (") + patterns + QLatin1Char(')');
        out << label;
    }
    return out.join(QStringLiteral(";;"));
}

std::optional<QString> runDialog(const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory,
                       qtFilter(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (!request.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}
} // namespace

std::optional<QString> QtFileDialogs::saveFileName(const FileDialogRequest& request) {
    return runDialog(request, QFileDialog::AcceptSave);
}

std::optional<QString> QtFileDialogs::openFileName(const FileDialogRequest& request) {
    return runDialog(request, QFileDialog::AcceptOpen);
}

QString QtLauncher::findExecutable(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

bool QtLauncher::startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void QtLauncher::showHelp(const QString& topic) {
    HelpViewer viewer(m_helpFolder, topic, QApplication::activeWindow());
    viewer.exec();
}

void QtBusyPointer::apply(bool busy) {
    if (busy) {
        m_started.start();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        delete m_dialog;
        QApplication::restoreOverrideCursor();
    }
}

void QtBusyPointer::showStep(const QString& text, qint64 done, qint64 total) {
    // Work done within half a second shows no dialog at all.
    if (!m_dialog && m_started.elapsed() >= 500) {
        m_dialog = new QProgressDialog(QApplication::activeWindow());
        m_dialog->setWindowTitle(QStringLiteral("Quillan"));
        // Work that cannot be stopped offers no way to close its dialog.
        m_dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
        m_dialog->show();
    }
    if (m_dialog) {
        // Escape hides a dialog even without its Cancel button; the work goes on, shown.
        if (!m_dialog->isVisible())
            m_dialog->show();
        m_dialog->setLabelText(text);
        // A step that cannot tell how far it is shows a moving bar.
        const int scale = total > 0 ? 1000 : 0;
        m_dialog->setRange(0, scale);
        m_dialog->setValue(total > 0 ? int(done * scale / total) : 0);
        // The dialog blocks input to the other windows, which are only painted.
        QCoreApplication::processEvents();
    } else {
        // Clicks wait until the work is done; the windows are painted meanwhile.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
