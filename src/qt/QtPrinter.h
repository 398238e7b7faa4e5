#pragma once
// Carries printouts out with Qt. One printer lives as long as the program, so
// settings chosen in the set-up dialog hold for the next printout. A page never
// goes nowhere and never replaces another: without a printer, or when the user
// chose to print into a file, it lands in a PDF file of its own whose path the
// outcome names.

#include <QDateTime>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "platform/PrintJob.h"

class QPainter;
class QPixmap;
class QPrinter;
class QRectF;
class QWidget;

namespace tamvek::qt {

// Sends every printout into this PDF file instead of a printer, without the
// set-up dialog (for checking a printout without a printer or a screen); the
// second one into "name-2.pdf" and so on. An empty path switches it off.
void setPrintTarget(const QString& pdfPath);
QString printTarget();

// Draws a text printout on an open painter: `area` is the printable part of
// the page in device pixels. Columns are measured in the average character
// width of the current font. Starts a new page when a page is full.
void paintPrintJob(QPainter& painter, const platform::PrintJob& job, const QRectF& area,
                   const std::function<bool()>& newPage);

// The folder printouts go to when there is no printer: the user's documents
// folder when it exists, else the home folder.
QString printFolder();

// `wanted` when no file has that name yet, else the first free one of
// "name-2.pdf", "name-3.pdf", ...
QString freePath(const QString& wanted);

// Where a printout goes when there is no printer: the print folder, named after
// `kind` and the time, e.g. "Tamvek-Ausdruck-2026-12-07-0815.pdf"; an existing
// file is never overwritten ("...-0815-2.pdf").
QString pdfPathFor(const QString& kind, const QDateTime& when);

class QtPrinter {
  public:
    QtPrinter();
    ~QtPrinter();
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // The window that parents the set-up dialog and the error message.
    void setParent(QWidget* window) { m_parent = window; }

    // The printer set-up dialog; false when the user cancelled it.
    bool setup();
    // A failing printer is reported in a message box (no output).
    platform::PrintOutcome printReport(const platform::PrintJob& job);
    // Failures stay silent.
    platform::PrintOutcome printImage(const QPixmap& picture);
    // The window's client area: a main window's central widget, else the
    // widget itself.
    platform::PrintOutcome printWindow(QWidget* window);
    // The printer a printout not saved into a file went to.
    QString printerName();

  private:
    // Points the printer at a file when it must print into one and returns
    // that file, or an empty string for a real printer. Every printout gets a
    // file of its own, also when the user chose one in the set-up dialog or
    // on the command line: the first free one of that name and its numbered
    // variants, made at once so nothing else can take it meanwhile.
    QString chooseOutput(const QString& kind);
    // The file made for a printout that then failed goes again.
    void dropOutput(const QString& file);
    QPrinter& printer();

    std::unique_ptr<QPrinter> m_printer;
    QPointer<QWidget> m_parent;
    QString m_chosenFile;  // "print to file" in the set-up dialog, else empty
    QString m_claimed;     // the file made for the printout under way
};

}  // namespace tamvek::qt
