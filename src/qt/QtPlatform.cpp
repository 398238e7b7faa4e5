#include "qt/QtPlatform.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QStorageInfo>
#include <QUrl>
#include <algorithm>

#include "form/Control.h"
#include "platform/ProgramFolder.h"
#include "qt/QtText.h"
#include "qt/StatusLine.h"

namespace tamvek::qt {
namespace {

constexpr std::size_t keptEffects = 4;
constexpr qint64 repaintEveryMs = 30;

}  // namespace

QtPlatform::QtPlatform()
    : m_folder(platform::programFolderFor(utf8(QCoreApplication::applicationDirPath()))) {}
QtPlatform::~QtPlatform() = default;

platform::Answer QtPlatform::ask(std::string_view text, std::string_view title,
                                 platform::Buttons buttons) {
    QMessageBox box(QMessageBox::Question, qstr(title), qstr(text), QMessageBox::NoButton,
                    m_window.data());
    QPushButton* yes = box.addButton(QStringLiteral("Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nein"), QMessageBox::NoRole);
    QPushButton* cancel = nullptr;
    if (buttons == platform::Buttons::YesNoCancel)
        cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel != nullptr ? cancel : no);
    box.exec();
    const QAbstractButton* pressed = box.clickedButton();
    if (pressed == yes) return platform::Answer::Yes;
    if (cancel != nullptr && pressed == cancel) return platform::Answer::Cancel;
    return platform::Answer::No;
}

void QtPlatform::playSound(const std::string& path) {
    const QString file = qstr(path);
    if (!QFileInfo::exists(file)) return;
    if (m_audio < 0) m_audio = QMediaDevices::audioOutputs().isEmpty() ? 0 : 1;
    if (m_audio == 0) return;
    const QUrl url = QUrl::fromLocalFile(file);
    auto it = std::find_if(m_effects.begin(), m_effects.end(),
                           [&](const auto& e) { return e->source() == url; });
    if (it == m_effects.end()) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(url);
        m_effects.push_back(std::move(effect));
        if (m_effects.size() > keptEffects) m_effects.pop_front();
        it = std::prev(m_effects.end());
    }
    (*it)->play();  // starts once loaded; never waits
}

void QtPlatform::repaintNow(const form::Control& control) {
    if (m_window.isNull() || !m_window->isVisible()) return;
    // A long halt-at run asks after every spin; painting that often would
    // cost more than the run.
    if (m_sinceRepaint.isValid() && m_sinceRepaint.elapsed() < repaintEveryMs) return;
    m_sinceRepaint.start();
    QWidget* w = m_window->findChild<QWidget*>(qstr(control.name()));
    (w != nullptr ? w : m_window.data())->repaint();
}

void QtPlatform::focus(const form::Control& control) {
    if (m_window.isNull()) return;
    // After a question box the window may not be active again yet; it gives
    // the focus to this widget when it is.
    if (QWidget* w = m_window->findChild<QWidget*>(qstr(control.name())))
        w->setFocus(Qt::OtherFocusReason);
}

platform::PrintOutcome QtPlatform::printReport(const platform::PrintJob& job) {
    const platform::PrintOutcome outcome = m_printer.printReport(job);
    tellWhere(outcome, QStringLiteral("Ausdruck"));
    return outcome;
}

platform::PrintOutcome QtPlatform::printWindowImage() {
    const platform::PrintOutcome outcome = m_printer.printWindow(m_window);
    tellWhere(outcome, QStringLiteral("Copy"));
    return outcome;
}

void QtPlatform::tellWhere(const platform::PrintOutcome& outcome, const QString& what) {
    if (!outcome.printed || m_window.isNull()) return;
    auto* line = m_window->findChild<StatusLine*>();
    if (line == nullptr) return;
    if (outcome.savedFile.empty()) {
        line->showMessage(
            QStringLiteral("%1 an den Drucker „%2“ gesendet").arg(what, m_printer.printerName()));
    } else {
        const QString file = qstr(outcome.savedFile);
        line->showMessage(QStringLiteral("%1 gespeichert: %2").arg(what, file), file);
    }
}

std::vector<std::string> QtPlatform::drives() const {
    std::vector<std::string> roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady()) roots.push_back(utf8(volume.rootPath()));
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    if (roots.empty()) roots.push_back("/");
    return roots;
}

std::string QtPlatform::importFolder() const {
    if (m_startInCurrentFolder) return Platform::importFolder();
    for (const std::string& folder : {m_importedFrom, m_folder + "/samples"})
        if (!folder.empty() && QFileInfo(qstr(folder)).isDir()) return folder;
    return utf8(QDir::homePath());
}

void QtPlatform::quit() {
    if (!m_window.isNull()) m_window->close();
    QCoreApplication::quit();
}

}  // namespace tamvek::qt
