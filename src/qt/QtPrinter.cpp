#include "qt/QtPrinter.h"

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
        m_wrapX = area.left();
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
            m_wrapX = x;
        } else if (auto* t = std::get_if<Text>(&op)) {
            draw(QString::fromStdString(t->text));
        } else if (auto* n = std::get_if<Number>(&op)) {
            draw(QString::fromStdString(platform::numberItem(n->value)));
        } else if (std::holds_alternative<EndLine>(op)) {
            m_wrapX = m_area.left();
            return endLine();
        }
        return true;  // the document's end is the caller's painter.end()
    }

    void apply() {
        m_painter.setFont(m_font);
        m_metrics.emplace(m_font, m_painter.device());
    }

    // A text that would run past the right margin goes on at the next line,
    // at the column it was placed at; it breaks after a blank where it can.
    void draw(const QString& text) {
        QString rest = text;
        while (!rest.isEmpty()) {
            const double room = m_area.right() - m_x;
            qsizetype fits = rest.size();
            qsizetype shown = rest.size();  // blanks at the end may reach into the margin
            while (shown > 0 && rest[shown - 1] == QLatin1Char(' '))
                --shown;
            if (m_metrics->horizontalAdvance(rest.left(shown)) > room + 0.5) {
                fits = fittingLength(rest, room);
                const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), fits);
                if (fits < rest.size() && blank > 0 && blank < fits) fits = blank + 1;
                // Not even one character fits at the column: a new line first,
                // then at least one character on it, so the text always moves on.
                if (fits == 0) fits = m_x > m_wrapX + 0.5 ? 0 : 1;
            }
            if (fits > 0 && !put(rest.left(fits))) return;
            rest = rest.mid(fits);
            if (rest.isEmpty()) return;
            // The blanks at the break are not carried onto the next line.
            while (rest.startsWith(QLatin1Char(' ')))
                rest.remove(0, 1);
            if (rest.isEmpty()) return;
            endLine();
            m_x = m_wrapX;
        }
    }

    // How many characters from the start of `text` fit into `room`.
    qsizetype fittingLength(const QString& text, double room) const {
        qsizetype low = 0, high = text.size();
        while (low < high) {
            const qsizetype mid = (low + high + 1) / 2;
            if (m_metrics->horizontalAdvance(text.left(mid)) <= room + 0.5)
                low = mid;
            else
                high = mid - 1;
        }
        return low;
    }

    bool put(const QString& text) {
        if (m_y + m_metrics->height() > m_area.bottom() + 0.5 && m_y > m_area.top()) {
            if (!m_newPage()) return false;
            m_y = m_area.top();
        }
        m_painter.drawText(QPointF(m_x, m_y + m_metrics->ascent()), text);
        m_x += m_metrics->horizontalAdvance(text);
        return true;
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
    double m_wrapX = 0;  // where the current column began
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

QString printFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

QString freePath(const QString& wanted) {
    const QFileInfo info(wanted);
    const QString suffix = info.suffix();
    QString path = wanted;
    for (int n = 2; QFileInfo::exists(path); ++n) {
        const QString name =
            suffix.isEmpty()
                ? QStringLiteral("%1-%2").arg(info.fileName()).arg(n)
                : QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(suffix);
        path = info.dir().filePath(name);
    }
    return path;
}

QString pdfPathFor(const QString& kind, const QDateTime& when) {
    const QString name =
        QStringLiteral("Tamvek-%1-%2.pdf").arg(kind, when.toString("yyyy-MM-dd-HHmm"));
    return freePath(QDir(printFolder()).filePath(name));
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
    // The dialog proposes the file chosen last, not the numbered one the last
    // printout went to; without a printer a file in the print folder.
    if (!m_chosenFile.isEmpty()) {
        printer().setOutputFileName(m_chosenFile);
    } else if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer().setOutputFileName(QDir(printFolder()).filePath(QStringLiteral("Tamvek.pdf")));
    } else {
        printer().setOutputFileName(QString());
        printer().setOutputFormat(QPrinter::NativeFormat);
    }
    QPrintDialog dialog(&printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    if (dialog.exec() != QDialog::Accepted) return false;
    const bool toFile =
        printer().outputFormat() == QPrinter::PdfFormat && !printer().outputFileName().isEmpty();
    m_chosenFile = toFile ? printer().outputFileName() : QString();
    return true;
}

QString QtPrinter::chooseOutput(const QString& kind) {
    QString wanted = printTarget().isEmpty() ? m_chosenFile : printTarget();
    if (wanted.isEmpty()) {
        if (!QPrinterInfo::availablePrinters().isEmpty()) {
            // A real printer: it may have been installed since the last printout.
            printer().setOutputFileName(QString());
            printer().setOutputFormat(QPrinter::NativeFormat);
            return {};
        }
        // Without a printer the page would go nowhere: a PDF file stands in.
        wanted = pdfPathFor(kind, QDateTime::currentDateTime());
    }
    QString file;
    m_claimed.clear();
    for (int attempt = 0; attempt < 100 && file.isEmpty(); ++attempt) {
        const QString path = freePath(wanted);
        QFile claim(path);
        // Made empty now; a name taken meanwhile is looked for again, and a
        // file that cannot be made at all is the printer's to report.
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            file = m_claimed = path;
        else if (!claim.exists())
            file = path;
    }
    if (file.isEmpty()) file = freePath(wanted);
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(file);
    return file;
}

void QtPrinter::dropOutput(const QString& file) {
    if (!file.isEmpty() && file == m_claimed) QFile::remove(file);
    m_claimed.clear();
}

QString QtPrinter::printerName() {
    return printer().printerName();
}

platform::PrintOutcome QtPrinter::printReport(const platform::PrintJob& job) {
    const QString file = chooseOutput(QStringLiteral("Ausdruck"));
    QPainter painter;
    if (!painter.begin(&printer())) {
        dropOutput(file);
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
    if (!painter.begin(&printer())) {
        dropOutput(file);
        return {};
    }
    const QRectF page(QPointF(0, 0),
                      printer().pageLayout().paintRectPixels(printer().resolution()).size());
    QSizeF size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(QPointF((page.width() - size.width()) / 2, 0), size), picture,
                       QRectF(picture.rect()));
    if (!painter.end()) {
        dropOutput(file);
        return {};
    }
    return {true, file.toStdString()};
}

platform::PrintOutcome QtPrinter::printWindow(QWidget* window) {
    if (window == nullptr) return {};
    return printImage(clientArea(window)->grab());
}

}  // namespace tamvek::qt
