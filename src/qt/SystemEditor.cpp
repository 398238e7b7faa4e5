#include "qt/SystemEditor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/InputFile.h"
#include "platform/OutputFile.h"
#include "qt/SystemHighlighter.h"

namespace tamvek::qt {
namespace {

// A system is a page or two; a larger file is no system.
constexpr std::size_t largestSystem = std::size_t{4} << 20;

std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

SystemHighlighter::Language languageOf(const QString& path) {
    return path.endsWith(QStringLiteral(".lua"), Qt::CaseInsensitive)
               ? SystemHighlighter::Language::Lua
               : SystemHighlighter::Language::Toml;
}

// The name for a copy of `name` in `folder` that no file has: the name
// itself, else numbered on (paroli-rot-2.lua, paroli-rot-3.lua, …).
QString freeName(const QDir& folder, const QString& name, int n) {
    if (n == 1) return folder.filePath(name);
    const QFileInfo info(name);
    return folder.filePath(
        QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(n).arg(info.suffix()));
}

}  // namespace

QString userSystemsFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    return QDir(documents).filePath(QStringLiteral("Tamvek/Systeme"));
}

SystemEditor::SystemEditor(const QString& examples, const QString& userFolder, QWidget* parent)
    : QWidget(parent), m_examples(examples), m_userFolder(userFolder) {
    m_text = new QPlainTextEdit;
    m_text->setObjectName(QStringLiteral("systemText"));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_text->setFont(fixed);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char(' ')) * 2);
    m_text->setPlaceholderText(QStringLiteral(
        "Eine Systemdatei wählen, oder mit „Neu aus Vorlage“ ein Beispiel kopieren."));
    m_highlighter = new SystemHighlighter(m_text->document(), SystemHighlighter::Language::Lua);
    m_fileName = new QLabel;
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    buildButtons();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_fileName, 1);
    buttons->addWidget(m_save);
    buttons->addWidget(m_fromTemplate);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_text, 1);
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        if (m_marked > 0) clearMark();
    });
}

void SystemEditor::buildButtons() {
    m_save = new QPushButton(QStringLiteral("S&peichern"));
    m_save->setObjectName(QStringLiteral("save"));
    m_save->setShortcut(QKeySequence::Save);
    m_save->setToolTip(QStringLiteral("Schreibt den Text in die Systemdatei (Strg+S)."));
    connect(m_save, &QPushButton::clicked, this, &SystemEditor::saveClicked);
    m_fromTemplate = new QToolButton;
    m_fromTemplate->setObjectName(QStringLiteral("fromTemplate"));
    m_fromTemplate->setText(QStringLiteral("&Neu aus Vorlage"));
    m_fromTemplate->setToolTip(
        QStringLiteral("Kopiert ein Beispielsystem in den eigenen Ordner (%1) und öffnet die "
                       "Kopie; eine Datei dort wird nie überschrieben.")
            .arg(QDir::toNativeSeparators(m_userFolder)));
    m_fromTemplate->setPopupMode(QToolButton::InstantPopup);
    m_templates = new QMenu(m_fromTemplate);
    m_fromTemplate->setMenu(m_templates);
    connect(m_templates, &QMenu::aboutToShow, this, &SystemEditor::fillExamples);
}

void SystemEditor::fillExamples() {
    m_templates->clear();
    const QFileInfoList examples =
        QDir(m_examples)
            .entryInfoList({QStringLiteral("*.lua"), QStringLiteral("*.toml")}, QDir::Files,
                           QDir::Name);
    if (examples.isEmpty())
        m_templates->addAction(QStringLiteral("keine Beispiele in %1").arg(m_examples))
            ->setEnabled(false);
    for (const QFileInfo& example : examples) {
        const QString path = example.filePath();
        m_templates->addAction(example.fileName(), this, [this, path] {
            if (const std::optional<QString> why = copyExample(path)) emit message(*why, true);
        });
    }
}

std::optional<QString> SystemEditor::open(const QString& path) {
    clearMark();
    m_path = path;
    m_fileName->setText(path.isEmpty() ? QString() : QDir::toNativeSeparators(path));
    if (path.isEmpty()) {
        m_text->clear();
        return std::nullopt;
    }
    const Result<std::string> text = platform::readWholeFile(toPath(path), largestSystem);
    m_highlighter->setLanguage(languageOf(path));
    m_text->setPlainText(text ? QString::fromUtf8(*text) : QString());
    m_text->document()->setModified(false);
    if (!text) return path + QStringLiteral(": ") + QString::fromStdString(text.error().message);
    return std::nullopt;
}

bool SystemEditor::modified() const {
    return !m_path.isEmpty() && m_text->document()->isModified();
}

std::optional<QString> SystemEditor::save() {
    if (m_path.isEmpty()) return QStringLiteral("Keine Systemdatei gewählt.");
    Result<platform::OutputFile> file =
        platform::OutputFile::create(toPath(m_path), platform::Overwrite::Yes);
    std::optional<Error> failed = file ? file->write(m_text->toPlainText().toStdString())
                                       : std::optional<Error>(file.error());
    if (!failed) failed = file->commit();
    if (failed)
        return QString::fromStdString(failed->message) +
               QStringLiteral(" (eine Kopie im eigenen Ordner macht „Neu aus Vorlage“)");
    m_text->document()->setModified(false);
    return std::nullopt;
}

void SystemEditor::saveClicked() {
    if (const std::optional<QString> why = save())
        emit message(*why, true);
    else
        emit message(QStringLiteral("Gespeichert: %1.").arg(QDir::toNativeSeparators(m_path)),
                     false);
}

std::optional<QString> SystemEditor::copyExample(const QString& example) {
    const QDir folder(m_userFolder);
    if (!folder.mkpath(QStringLiteral(".")))
        return QStringLiteral("%1: der Ordner kann nicht angelegt werden.").arg(m_userFolder);
    const Result<std::string> text = platform::readWholeFile(toPath(example), largestSystem);
    if (!text) return example + QStringLiteral(": ") + QString::fromStdString(text.error().message);
    for (int n = 1; n < 1000; ++n) {
        const QString target = freeName(folder, QFileInfo(example).fileName(), n);
        if (QFileInfo::exists(target)) continue;
        Result<platform::OutputFile> file =
            platform::OutputFile::create(toPath(target), platform::Overwrite::No);
        if (!file) continue;  // made by someone else just now
        std::optional<Error> failed = file->write(*text);
        if (!failed) failed = file->commit();
        if (failed) return QString::fromStdString(failed->message);
        open(target);
        emit opened(target);
        emit message(QStringLiteral("Neu aus Vorlage: %1 ist eine Kopie von %2.")
                         .arg(QDir::toNativeSeparators(target), QFileInfo(example).fileName()),
                     false);
        return std::nullopt;
    }
    return QStringLiteral("%1: kein freier Name für eine Kopie von %2.")
        .arg(m_userFolder, QFileInfo(example).fileName());
}

void SystemEditor::markLine(int line, const QString& fault) {
    const QTextBlock block = m_text->document()->findBlockByNumber(line - 1);
    if (!block.isValid()) return;
    QTextEdit::ExtraSelection mark;
    mark.format.setBackground(QColor(255, 215, 215));
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    mark.format.setToolTip(fault);
    mark.cursor = QTextCursor(block);
    m_text->setExtraSelections({mark});
    m_text->setTextCursor(mark.cursor);
    m_text->ensureCursorVisible();
    m_text->setToolTip(fault);
    m_marked = line;
}

void SystemEditor::clearMark() {
    m_text->setExtraSelections({});
    m_text->setToolTip(QString());
    m_marked = 0;
}

}  // namespace tamvek::qt
