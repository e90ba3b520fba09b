#include "cashpositionwindow.h"

#include "data/messages.h"
#include "kit/filedialogs.h"
#include "kit/handlerguard.h"
#include "kit/services.h"
#include "reconciliation/cashpositionchart.h"
#include "reports/reportprinting.h"

#include <QHBoxLayout>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kForm = QStringLiteral("frmCashPosition");

} // namespace

CashPositionWindow::CashPositionWindow(Services& services, ReportPrinting* printing,
                                       QWidget* parent)
    : QDialog(parent), m_services(services), m_printing(printing) {
    if (!m_printing) {
        m_ownPrinting = std::make_unique<ReportPrinting>();
        m_printing = m_ownPrinting.get();
    }
    setObjectName(kForm);
    setWindowTitle(QStringLiteral("Cash Position"));
    auto* layout = new QVBoxLayout(this);
    m_chart = new CashPositionChart(services, this);
    layout->addWidget(m_chart, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto button = [this, buttons](const char* name, const QString& caption,
                                        std::function<void()> clicked) {
        auto* pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setAutoDefault(false);
        buttons->addWidget(pushButton);
        connect(pushButton, &QPushButton::clicked, this,
                [this, name, clicked = std::move(clicked)] {
                    guarded(m_services, kForm, QString::fromLatin1(name), clicked);
                });
    };
    button("cmdSavePicture", QStringLiteral("&Save Picture..."), [this] { save(); });
    button("cmdPrint", QStringLiteral("&Print..."), [this] { print(); });
    button("cmdClose", QStringLiteral("&Close"), [this] { close(); });
    layout->addLayout(buttons);
    resize(900, 640);
}

CashPositionWindow::~CashPositionWindow() = default;

bool CashPositionWindow::savePicture(const QString& path) const {
    QWidget* picture = m_chart->picture();
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(picture->size());
        svg.setViewBox(QRect(QPoint(), picture->size()));
        svg.setTitle(windowTitle());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        picture->render(&painter);
        return painter.end();
    }
    return picture->grab().save(path, "PNG");
}

void CashPositionWindow::save() {
    FileDialogRequest request;
    request.title = QStringLiteral("Save Cash Position");
    request.filter = QStringLiteral("PNG image (*.png)|*.png|SVG drawing (*.svg)|*.svg");
    request.defaultSuffix = QStringLiteral("png");
    request.directory = m_services.bookFolder();
    request.fileName = QStringLiteral("cash-position.png");
    const std::optional<QString> path = m_services.fileDialogs.saveFileName(request);
    if (path && !savePicture(*path))
        m_services.prompts.critical(Messages::pictureNotSaved(*path));
}

void CashPositionWindow::print() {
    if (!m_printing->hasPrinter()) {
        m_services.prompts.critical(Messages::printingError());
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle());
    if (!m_printing->choose(printer, this, 1))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_services.prompts.critical(Messages::printingError());
        return;
    }
    // The picture at its own proportions, as large as the page allows.
    QWidget* picture = m_chart->picture();
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const qreal scale =
        std::min(page.width() / picture->width(), page.height() / picture->height());
    painter.translate(page.topLeft());
    painter.scale(scale, scale);
    picture->render(&painter);
}
