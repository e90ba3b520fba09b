#include "reportpreviewwindow.h"

#include "data/messages.h"
#include "kit/buttonrow.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "kit/shellprocs.h"
#include "reports/report.h"
#include "reports/reportcsv.h"
#include "reports/reportpageview.h"
#include "reports/reportpainter.h"
#include "reports/reportprinting.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace {

const QString kHelpTopic = QStringLiteral("reports");
constexpr int kFitMargin = 8; // pixels each side of a page fitted to the window's width

} // namespace

ReportPreviewWindow::ReportPreviewWindow(Services& services, std::unique_ptr<Report> report,
                                         ReportPrinting* printing, QWidget* parent)
    : QDialog(parent), m_services(services), m_report(std::move(report)), m_printing(printing) {
    if (!m_printing) {
        m_ownPrinting = std::make_unique<ReportPrinting>();
        m_printing = m_ownPrinting.get();
    }
    setObjectName(m_report->layout().name);
    setWindowTitle(m_report->layout().title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    buildWindow();
    installHelpKey(this, m_services, kHelpTopic);
    guarded(m_services, objectName(), QStringLiteral("Form Load"), [this] { goToPage(0); });
    resize(760, 860);
}

ReportPreviewWindow::~ReportPreviewWindow() = default;

void ReportPreviewWindow::buildWindow() {
    auto* layout = new QVBoxLayout(this);
    ButtonRow navigation(this, layout, m_services, objectName());
    m_first = navigation.add(QStringLiteral("cmdFirst"), QStringLiteral("&First"),
                             [this] { goToPage(0); });
    m_previous = navigation.add(QStringLiteral("cmdPrevious"), QStringLiteral("Pre&vious"),
                                [this] { goToPage(m_view->pageIndex() - 1); });
    m_next = navigation.add(QStringLiteral("cmdNext"), QStringLiteral("&Next"),
                            [this] { goToPage(m_view->pageIndex() + 1); });
    m_last = navigation.add(QStringLiteral("cmdLast"), QStringLiteral("&Last"),
                            [this] { goToPage(m_report->pageCount() - 1); });

    auto* row = qobject_cast<QHBoxLayout*>(layout->itemAt(0)->layout());
    auto* pageLabel = new QLabel(QStringLiteral("P&age"), this);
    m_pageNumber = new QSpinBox(this);
    m_pageNumber->setObjectName(QStringLiteral("txtPage"));
    // Any number may be typed: one past the end shows the last page.
    m_pageNumber->setRange(1, std::numeric_limits<int>::max());
    m_pageNumber->setKeyboardTracking(false);
    pageLabel->setBuddy(m_pageNumber);
    m_pageCount = new QLabel(QStringLiteral("of %1").arg(m_report->pageCount()), this);
    m_pageCount->setObjectName(QStringLiteral("lblPageCount"));
    auto* zoomLabel = new QLabel(QStringLiteral("&Zoom"), this);
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("cboZoom"));
    // "Fit width" (the window opens at it) is the page as wide as the window; the others are
    // the paper's size at a scale.
    m_zoom->addItem(QStringLiteral("Fit width"), 0.0);
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoom->setCurrentIndex(0);
    zoomLabel->setBuddy(m_zoom);
    int at = 0;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{pageLabel, m_pageNumber, m_pageCount, zoomLabel, m_zoom})
        row->insertWidget(at++, widget);
    row->insertSpacing(3, 16);

    connect(m_pageNumber, &QSpinBox::valueChanged, this, [this](int number) {
        guarded(m_services, objectName(), QStringLiteral("txtPage Change"),
                [this, number] { goToPage(number - 1); });
    });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { applyZoom(); });

    m_view = new ReportPageView(*m_report, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPage"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    // The bar is always there, so fitting the width never changes the width it fits.
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scroll->viewport()->installEventFilter(this);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidget(m_view);
    layout->addWidget(m_scroll, 1);
    applyZoom();

    ButtonRow commands(this, layout, m_services, objectName());
    commands.add(QStringLiteral("cmdPrint"), QStringLiteral("&Print..."), [this] { print(); });
    commands.add(QStringLiteral("cmdSavePdf"), QStringLiteral("Save as P&DF..."),
                 [this] { savePdf(); });
    if (!m_report->layout().columns.isEmpty())
        commands.add(QStringLiteral("cmdSaveCsv"), QStringLiteral("Save Rows as &CSV..."),
                     [this] { saveCsv(); });
    commands.add(QStringLiteral("cmdClose"), QStringLiteral("&Close"), [this] { reject(); });
}

void ReportPreviewWindow::goToPage(int index) {
    index = std::clamp(index, 0, m_report->pageCount() - 1);
    m_view->showPage(index);
    {
        const QSignalBlocker blocker(m_pageNumber);
        m_pageNumber->setValue(index + 1);
    }
    updateCommands();
}

void ReportPreviewWindow::applyZoom() {
    const qreal zoom = m_zoom->currentData().toReal();
    if (zoom > 0) {
        m_view->setZoom(zoom);
        return;
    }
    // The page across the view with a small margin each side.
    const qreal paper = m_report->layout().pageSize.width() * m_view->logicalDpiX() / 72.0;
    const int room = m_scroll->viewport()->width() - 2 * kFitMargin;
    m_view->setZoom(std::max(0.1, room / paper));
}

bool ReportPreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        applyZoom();
    return QDialog::eventFilter(watched, event);
}

void ReportPreviewWindow::updateCommands() {
    const int index = m_view->pageIndex();
    const int last = m_report->pageCount() - 1;
    m_first->setEnabled(index > 0);
    m_previous->setEnabled(index > 0);
    m_next->setEnabled(index < last);
    m_last->setEnabled(index < last);
}

void ReportPreviewWindow::keyPressEvent(QKeyEvent* event) {
    const int index = m_view->pageIndex();
    int target = -1;
    switch (event->key()) {
    case Qt::Key_PageDown:
        target = index + 1;
        break;
    case Qt::Key_PageUp:
        target = index - 1;
        break;
    case Qt::Key_Home:
        if (event->modifiers() & Qt::ControlModifier)
            target = 0;
        break;
    case Qt::Key_End:
        if (event->modifiers() & Qt::ControlModifier)
            target = m_report->pageCount() - 1;
        break;
    default:
        break;
    }
    if (target < 0 || target >= m_report->pageCount()) {
        QDialog::keyPressEvent(event);
        return;
    }
    guarded(m_services, objectName(), QStringLiteral("KeyDown"),
            [this, target] { goToPage(target); });
}

void ReportPreviewWindow::print() {
    // Without a printer there is nothing to print on: the one message for every report.
    if (!m_printing->hasPrinter()) {
        m_services.prompts.critical(Messages::printingError());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(m_report->layout().pageSize, QPageSize::Point));
    printer.setFullPage(true);
    printer.setDocName(m_report->layout().title);
    printer.setFromTo(1, m_report->pageCount());
    if (!m_printing->choose(printer, this, m_report->pageCount()))
        return;
    BusyScope busy(m_services.busy);
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_services.busy.reset();
        m_services.prompts.critical(Messages::printingError());
        return;
    }
    const int from = printer.fromPage() > 0 ? printer.fromPage() : 1;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage(), m_report->pageCount())
                                        : m_report->pageCount();
    ReportPainter::paintPages(painter, printer, *m_report, from - 1, to - 1);
    painter.end();
}

void ReportPreviewWindow::savePdf() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
    request.defaultSuffix = QStringLiteral("pdf");
    request.directory = QDir::homePath();
    request.fileName = m_report->layout().title + QStringLiteral(".pdf");
    const auto path = m_services.fileDialogs.saveFileName(request);
    if (!path)
        return;
    BusyScope busy(m_services.busy);
    ReportPainter::writePdf(*m_report, *path);
}

void ReportPreviewWindow::saveCsv() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save Rows as CSV");
    request.filter = QStringLiteral("CSV Files (*.csv)|*.csv");
    request.defaultSuffix = QStringLiteral("csv");
    request.directory = QDir::homePath();
    request.fileName = m_report->layout().title + QStringLiteral(".csv");
    const auto path = m_services.fileDialogs.saveFileName(request);
    if (!path)
        return;
    BusyScope busy(m_services.busy);
    ReportCsv::write(*m_report, *path);
}
