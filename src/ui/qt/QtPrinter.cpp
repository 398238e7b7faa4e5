#include "ui/qt/QtPrinter.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QMainWindow>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace tamvek::qt {

namespace {

QString& target() {
    static QString path;
    return path;
}

// Draws one operation after another, keeping the position like a line printer.
class JobPainter {
  public:
    JobPainter(QPainter& painter, const QRectF& area, const std::function<bool()>& newPage)
        : m_painter(painter), m_area(area), m_newPage(newPage) {
        m_font = m_painter.font();
        apply();
        m_y = area.top();
        m_x = area.left();
    }

    void run(const platform::PrintJob& job) {
        for (const platform::PrintOp& op : job.ops) {
            if (!step(op)) return;
        }
    }

  private:
    bool step(const platform::PrintOp& op) {
        using namespace platform::print;
        if (auto* o = std::get_if<FontSize>(&op)) {
            m_font.setPointSizeF(o->points);
            apply();
        } else if (auto* b = std::get_if<Bold>(&op)) {
            m_font.setBold(b->on);
            apply();
        } else if (auto* u = std::get_if<Underline>(&op)) {
            m_font.setUnderline(u->on);
            apply();
        } else if (auto* c = std::get_if<Column>(&op)) {
            const double x = m_area.left() + (c->column - 1) * m_metrics->averageCharWidth();
            // A column the line has passed is reached on the next line.
            if (m_x > x + 0.5 && !endLine()) return false;
            m_x = x;
        } else if (auto* t = std::get_if<Text>(&op)) {
            draw(QString::fromStdString(t->text));
        } else if (auto* n = std::get_if<Number>(&op)) {
            draw(QString::fromStdString(platform::numberItem(n->value)));
        } else if (std::holds_alternative<EndLine>(op)) {
            return endLine();
        }
        return true;  // the document's end is the caller's painter.end()
    }

    void apply() {
        m_painter.setFont(m_font);
        m_metrics.emplace(m_font, m_painter.device());
    }

    void draw(const QString& text) {
        if (m_y + m_metrics->height() > m_area.bottom() + 0.5 && m_y > m_area.top()) {
            if (!m_newPage()) return;
            m_y = m_area.top();
        }
        m_painter.drawText(QPointF(m_x, m_y + m_metrics->ascent()), text);
        m_x += m_metrics->horizontalAdvance(text);
    }

    bool endLine() {
        m_x = m_area.left();
        m_y += m_metrics->lineSpacing();
        return true;
    }

    QPainter& m_painter;
    QRectF m_area;
    const std::function<bool()>& m_newPage;
    QFont m_font;
    std::optional<QFontMetricsF> m_metrics;
    double m_x = 0;
    double m_y = 0;
};

QWidget* clientArea(QWidget* window) {
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->centralWidget())
        return main->centralWidget();
    return window;
}

}  // namespace

void setPrintTarget(const QString& pdfPath) {
    target() = pdfPath;
}
QString printTarget() {
    return target();
}

void paintPrintJob(QPainter& painter, const platform::PrintJob& job, const QRectF& area,
                   const std::function<bool()>& newPage) {
    JobPainter(painter, area, newPage).run(job);
}

QString pdfPathFor(const QString& kind, const QDateTime& when) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::currentPath();
    const QString stem = QStringLiteral("Tamvek-%1-%2").arg(kind, when.toString("yyyy-MM-dd-HHmm"));
    QString path = QDir(folder).filePath(stem + ".pdf");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1-%2.pdf").arg(stem).arg(n));
    return path;
}

QtPrinter::QtPrinter() = default;

QPrinter& QtPrinter::printer() {
    // Made on first use: a printer needs the application object, which may
    // not exist yet when the platform is made.
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The quarter inch most printers cannot reach anyway; the report's
        // columns count from there.
        m_printer->setPageMargins(QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter);
        m_printer->setDocName("Tamvek");
    }
    return *m_printer;
}

QtPrinter::~QtPrinter() = default;

bool QtPrinter::setup() {
    if (!printTarget().isEmpty()) return true;
    QPrintDialog dialog(&printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    if (dialog.exec() != QDialog::Accepted) return false;
    m_fileChosenInDialog = printer().outputFormat() == QPrinter::PdfFormat &&
                           !printer().outputFileName().isEmpty() &&
                           printer().outputFileName() != m_autoFile;
    return true;
}

QString QtPrinter::chooseOutput(const QString& kind) {
    if (!printTarget().isEmpty()) {
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(printTarget());
        return printTarget();
    }
    if (m_fileChosenInDialog) return printer().outputFileName();
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // Without a printer the page would go nowhere: a PDF file stands in.
        const QString path = pdfPathFor(kind, QDateTime::currentDateTime());
        m_autoFile = path;
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(path);
        return path;
    }
    if (printer().outputFormat() == QPrinter::PdfFormat) {
        // A printer was installed since the last printout.
        printer().setOutputFileName(QString());
        printer().setOutputFormat(QPrinter::NativeFormat);
    }
    return {};
}

platform::PrintOutcome QtPrinter::printReport(const platform::PrintJob& job) {
    const QString file = chooseOutput(QStringLiteral("Ausdruck"));
    QPainter painter;
    if (!painter.begin(&printer())) {
        QMessageBox::warning(m_parent, QStringLiteral(" Ausdruck Pelmar1"),
                             file.isEmpty()
                                 ? QStringLiteral("Der Drucker ist nicht bereit.")
                                 : QStringLiteral("Kann die Datei %1 nicht schreiben.").arg(file));
        return {};
    }
    const QRectF area(QPointF(0, 0),
                      printer().pageLayout().paintRectPixels(printer().resolution()).size());
    paintPrintJob(painter, job, area, [this] { return printer().newPage(); });
    painter.end();
    return {true, file.toStdString()};
}

platform::PrintOutcome QtPrinter::printImage(const QPixmap& picture) {
    if (picture.isNull()) return {};
    const QString file = chooseOutput(QStringLiteral("Copy"));
    QPainter painter;
    if (!painter.begin(&printer())) return {};
    const QRectF page(QPointF(0, 0),
                      printer().pageLayout().paintRectPixels(printer().resolution()).size());
    QSizeF size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF((page.width() - size.width()) / 2, 0), size), picture,
                       QRectF(picture.rect()));
    if (!painter.end()) return {};
    return {true, file.toStdString()};
}

platform::PrintOutcome QtPrinter::printWindow(QWidget* window) {
    if (window == nullptr) return {};
    return printImage(clientArea(window)->grab());
}

}  // namespace tamvek::qt
