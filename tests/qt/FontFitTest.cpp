// Every caption, label and button text of the window fits its control at the
// layout's size, measured with the fonts the real widgets use. What cannot fit
// is listed with the reason.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QtTest>
#include <map>
#include <set>

#include "WindowFixture.h"
#include "control/StartUp.h"
#include "engine/RunDriver.h"
#include "import/ImportPanel.h"
#include "qt/QtText.h"

using namespace tamvek;
using test::Fixture;

namespace {

QRect contents(QAbstractButton* button, QStyle::SubElement element) {
    QStyleOptionButton opt;
    opt.initFrom(button);
    return button->style()->subElementRect(element, &opt, button);
}

// Where a widget draws its text, as its style lays it out.
QRect textRoom(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w)) {
        QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                    -label->margin(), -label->margin());
        const int indent = label->indent() >= 0 ? label->indent()
                           : label->frameWidth() > 0
                               ? label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2
                               : 0;
        if (label->alignment() & Qt::AlignLeft) room.setLeft(room.left() + indent);
        return room;
    }
    if (auto* button = qobject_cast<QPushButton*>(w))
        return contents(button, QStyle::SE_PushButtonContents);
    if (auto* option = qobject_cast<QRadioButton*>(w))
        return contents(option, QStyle::SE_RadioButtonContents);
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return contents(check, QStyle::SE_CheckBoxContents);
    if (auto* box = qobject_cast<QLineEdit*>(w)) {
        QStyleOptionFrame opt;
        opt.initFrom(box);
        opt.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, box);
        // QLineEdit keeps two pixels on either side of its text.
        return box->style()
            ->subElementRect(QStyle::SE_LineEditContents, &opt, box)
            .marginsRemoved(box->textMargins())
            .adjusted(2, 0, -2, 0);
    }
    if (auto* frame = qobject_cast<QGroupBox*>(w))
        return QRect(0, 0, frame->width(), frame->height());
    return w->contentsRect();
}

// Why a text does not fit its room, or nothing when it fits.
QString misfit(QWidget* w, const QString& text) {
    const QRect room = textRoom(w);
    const QFontMetrics fm(w->font());
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, fm.horizontalAdvance(line));
    const int tall = static_cast<int>(lines.size()) * fm.height();
    QStringList why;
    if (widest > room.width())
        why << QStringLiteral("%1 pixels wide in %2").arg(widest).arg(room.width());
    if (tall > room.height())
        why << QStringLiteral("%1 lines of %2 pixels in %3")
                   .arg(lines.size())
                   .arg(fm.height())
                   .arg(room.height());
    return why.join(", ");
}

QString lines(std::string_view caption) {
    return qt::lineText(caption);
}

}  // namespace

class FontFitTest : public QObject {
    Q_OBJECT
  private slots:
    void theStandInFaceIsInstalled() {
        Fixture f;
        const QFontInfo info(f.widget<QWidget>("okstart")->font());
        QVERIFY2(info.family() == "Liberation Sans",
                 qPrintable("the window's face is " + info.family() +
                            ": install fonts-liberation2 (scripts/setup.sh)"));
    }

    void everyTextFitsItsControl() {
        Fixture f;
        // Every text each control can show: its design-time caption, the other
        // captions the game gives it, and the widest figures it holds.
        std::multimap<std::string, QString> texts;
        for (const form::Control* c : f.form.controls()) {
            if (c->kind() == form::ControlKind::TextBox || c->kind() == form::ControlKind::Grid ||
                c->kind() == form::ControlKind::RichText || c->text().empty())
                continue;
            if (c->kind() == form::ControlKind::DriveList ||
                c->kind() == form::ControlKind::DirList || c->kind() == form::ControlKind::FileList)
                continue;
            texts.emplace(c->name(), lines(c->text()));
        }
        for (const auto& [name, text] : std::multimap<std::string, std::string>{
                 {"okstart", "Weiter"},
                 {"okinfo", "Ende Info"},
                 {"okfiktiv", "Ende Fiktiv"},
                 {"lakut", "9999"},
                 {"lzahl", "36"},
                 {"gewtotal", "-99999"},
                 {"gewhoch", "99999"},
                 {"gewtief", "-99999"},
                 {"textanzahl", "9999"},
                 {"haltbei", "9999"},
                 {"srot", "999"},
                 {"sschwarz", "999"},
                 {"sklein", "999"},
                 {"sgross", "999"},
                 {"sgerade", "999"},
                 {"sungerade", "999"},
             })
            texts.emplace(name, lines(text));
        // The message label's texts: instructions, run and end, import.
        const std::string end = std::string("\r") + engine::endLine;
        const std::string header = "Spielbank Hamburg\rTisch 1 Spätspiel\r16.03.2025";
        for (const std::string& message : {
                 std::string(form::introText),
                 std::string(" Der Computer erzeugt die Zahlen...") + end,
                 std::string(" Der Computer erzeugt die Zahlen...") + end + end,
                 header + end,
                 header + end + end,
                 std::string(import::unreadableText),
             })
            texts.emplace("text", lines(message));
        f.form.okextern.click();  // the panel's instructions
        texts.emplace("text", lines(f.form.text.caption()));

        // What cannot fit, and why it may not.
        const std::set<std::pair<std::string, QString>> expected = {
            // The old window cut the check box's caption off by its width on
            // purpose: only the box shows, "Sound" beside it is a label.
            {"Check1", "Check1"},
            // The label holds four lines; a permanence's three header lines
            // and the end line of a second press of "+" after the end make
            // five. The old face was as tall, so its window cut it too.
            {"text", lines(header + end + end)},
        };
        std::set<std::pair<std::string, QString>> found;
        for (const auto& [name, text] : texts) {
            QWidget* w = f.widget<QWidget>(name.c_str());
            const QString why = misfit(w, text);
            if (why.isEmpty()) continue;
            found.emplace(name, text);
            if (expected.count({name, text}) == 0)
                qWarning("%s: \"%s\" does not fit: %s", name.c_str(), qPrintable(text),
                         qPrintable(why));
        }
        QCOMPARE(found, expected);
    }
};

QTEST_MAIN(FontFitTest)
#include "FontFitTest.moc"
