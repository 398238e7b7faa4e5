// The window driven through its real widgets, as a user would.

#include <sys/stat.h>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <memory>

#include "../support/ScratchFolder.h"
#include "ProgramFixture.h"
#include "WindowFixture.h"

using namespace tamvek;
using test::Fixture;
using test::pixels;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void typingACountEnablesStart() {
        Fixture f;
        auto* start = f.widget<QPushButton>("okstart");
        QVERIFY(!start->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f.widget<QWidget>("textanzahl"));
        QTest::keyClicks(f.widget<QLineEdit>("textanzahl"), "12");
        QCOMPARE(f.form.textanzahl.text(), std::string("12"));
        QVERIFY(start->isEnabled());
        QVERIFY(f.widget<QPushButton>("okersatz")->isEnabled());
    }

    void refusedTextShowsTheModelsText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("startEnabled");
        QTest::newRow("count in range") << "250"
                                        << "250" << true;
        QTest::newRow("zero is removed") << "0"
                                         << "" << false;
        QTest::newRow("letters are removed") << "x"
                                             << "" << false;
        // The fifth digit makes 10000, which the count rule removes.
        QTest::newRow("too many spins") << "10000"
                                        << "" << false;
    }
    void refusedTextShowsTheModelsText() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, startEnabled);
        Fixture f;
        auto* box = f.widget<QLineEdit>("textanzahl");
        QTest::keyClicks(box, typed);
        QCOMPARE(box->text(), shown);
        QCOMPARE(QString::fromStdString(f.form.textanzahl.text()), shown);
        QCOMPARE(f.widget<QPushButton>("okstart")->isEnabled(), startEnabled);
    }

    void startPlaysASpin() {
        Fixture f;
        f.startRun("10");
        QCOMPARE(f.widget<QLabel>("lakut")->text(), QString("1"));
        const QString number = QString::number(f.session.state().currentNumber);
        QCOMPARE(f.widget<QLabel>("lzahl")->text(), number);
        QCOMPARE(f.cell("tabelle2", 0, 10), number);
        QCOMPARE(f.cell("tabelle2", 9, 0), QString("10"));
        QCOMPARE(f.widget<QTableView>("tabelle2")->model()->rowCount(), 11);
        QCOMPARE(f.widget<QPushButton>("okstart")->text(), QString("Weiter"));
        QVERIFY(!f.widget<QLineEdit>("srot")->isReadOnly());
    }

    void keyReleaseDrivesThePartnerRule() {
        Fixture f;
        f.startRun("10");
        auto* red = f.widget<QLineEdit>("srot");
        auto* black = f.widget<QLineEdit>("sschwarz");
        auto* activate = f.widget<QPushButton>("oksetz1");
        QTest::keyClicks(red, "5");
        QCOMPARE(red->text(), QString("5"));
        QVERIFY(activate->isEnabled());
        QTest::keyClicks(black, "7");
        QCOMPARE(red->text(), QString(""));
        QCOMPARE(black->text(), QString("7"));
        QCOMPARE(f.form.srot.text(), std::string());
        QVERIFY(activate->isEnabled());
    }

    void tabMovesTheKeyReleaseIntoTheNextBox() {
        Fixture f;
        f.startRun("10");
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        auto* red = f.widget<QLineEdit>("srot");
        red->setFocus();
        QTest::keyClicks(red, "5");
        QVERIFY(f.widget<QPushButton>("oksetz1")->isEnabled());
        // The press moves the focus on; the release then belongs to the empty
        // partner box, whose rule disables the pair's button again.
        QTest::keyPress(red, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.widget<QWidget>("sschwarz"));
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(!f.widget<QPushButton>("oksetz1")->isEnabled());
        QCOMPARE(red->text(), QString("5"));
    }

    void autoRepeatReleasesAreNotKeyUps() {
        Fixture f;
        f.startRun("10");
        auto* red = f.widget<QLineEdit>("srot");
        f.form.srot.setText("5");  // set by the program: no key-up yet
        QVERIFY(!f.widget<QPushButton>("oksetz1")->isEnabled());
        QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, "5", true);
        QApplication::sendEvent(red, &repeat);
        QVERIFY(!f.widget<QPushButton>("oksetz1")->isEnabled());
        QKeyEvent real(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, "5", false);
        QApplication::sendEvent(red, &real);
        QVERIFY(f.widget<QPushButton>("oksetz1")->isEnabled());
    }

    void optionAndCheckBoxClicksReachTheModel() {
        Fixture f;
        auto* halt = f.widget<QRadioButton>("Option1(2)");
        QTest::mouseClick(halt, Qt::LeftButton, {}, QPoint(8, halt->height() / 2));
        QVERIFY(f.form.Option1.isSelected(2));
        QVERIFY(halt->isChecked());
        QVERIFY(!f.widget<QRadioButton>("Option1(0)")->isChecked());
        QVERIFY(f.widget<QLineEdit>("haltbei")->isEnabled());

        // The program selects the other one: the widgets follow.
        f.form.Option1.select(0);
        QVERIFY(f.widget<QRadioButton>("Option1(0)")->isChecked());
        QVERIFY(!halt->isChecked());
        QVERIFY(!f.widget<QLineEdit>("haltbei")->isEnabled());

        auto* sound = f.widget<QCheckBox>("Check1");
        QTest::mouseClick(sound, Qt::LeftButton, {}, QPoint(6, sound->height() / 2));
        QCOMPARE(f.form.Check1.value(), 1);
        QVERIFY(sound->isChecked());
    }

    void panelsCoverWhatTheyOverlap() {
        Fixture f;
        f.form.Frame1.setVisible(true);
        auto* frame = f.widget<QGroupBox>("Frame1");
        QVERIFY(frame->isVisible());
        // The Start button lies under the panel now.
        const QPoint start = f.widget<QWidget>("okstart")->geometry().center();
        QWidget* hit = f.window.childAt(start);
        QVERIFY(hit == frame || frame->isAncestorOf(hit));
        QCOMPARE(f.widget<QWidget>("okexternok")->parentWidget(), frame);

        f.form.infotext.setText("Zeile 1\rZeile 2");
        f.form.infotext.setVisible(true);
        const QPoint table = f.widget<QWidget>("tabelle1")->geometry().center();
        QWidget* info = f.widget<QWidget>("infotext");
        hit = f.window.childAt(table);
        QVERIFY(hit == info || info->isAncestorOf(hit));

        // A thin bar shows only between the two buttons it connects.
        auto* button = f.widget<QWidget>("oksetz1");
        const QPoint onBar(qt::MainWindow::px(f.form.Shape3.geometry().left),
                           button->geometry().center().y());
        QVERIFY(button->geometry().contains(onBar));
        QCOMPARE(f.window.childAt(onBar), button);
    }

    void fileListClicksDecideWhetherOkIsEnabled() {
        Fixture f;
        QTemporaryDir withFile, empty;
        QFile file(withFile.filePath("perm.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QTest::mouseClick(f.widget<QPushButton>("okextern"), Qt::LeftButton);
        auto* list = f.widget<QListWidget>("File1");
        auto* ok = f.widget<QPushButton>("okexternok");
        f.form.Dir1.setPath(withFile.path().toStdString());
        QCOMPARE(list->count(), 1);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QVERIFY(ok->isEnabled());
        QCOMPARE(f.form.File1.fileName(), std::string("perm.txt"));
        // A click into a list without files, where no entry is hit, switches OK off.
        f.form.Dir1.setPath(empty.path().toStdString());
        QCOMPARE(list->count(), 0);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!ok->isEnabled());
    }

    // A folder whose name is not UTF-8 shows with a replacement character; it
    // is entered by its own path in the model, not by the text shown.
    void aFolderNamedWithAByteThatIsNoUtf8CanBeEntered() {
        test::ScratchFolder dir;  // removes what a QTemporaryDir could not name
        const std::string base = dir.path();
        const std::string odd = base + "/Spiel\xFF";
        QVERIFY(QDir().mkpath(QString::fromStdString(base)));
        QVERIFY(::mkdir(odd.c_str(), 0700) == 0);
        std::FILE* file = std::fopen((odd + "/drin.txt").c_str(), "w");
        QVERIFY(file != nullptr);
        std::fclose(file);
        Fixture f;
        QTest::mouseClick(f.widget<QPushButton>("okextern"), Qt::LeftButton);
        f.form.Dir1.setPath(base);
        const auto& folders = f.form.Dir1.folders();
        const auto it = std::find(folders.begin(), folders.end(), odd);
        QVERIFY(it != folders.end());
        auto* list = f.widget<QListWidget>("Dir1");
        QListWidgetItem* item = list->item(static_cast<int>(it - folders.begin()));
        list->setFocus();
        list->setCurrentItem(item);
        QTest::keyClick(list, Qt::Key_Return);  // activates the entry, as a double click does
        QCOMPARE(f.form.Dir1.path(), odd);
        QCOMPARE(f.form.File1.files(), std::vector<std::string>{"drin.txt"});
    }

    // The panel's lists are narrow: a folder shows by its own name in the
    // tree of its path, a long file name loses its middle, and the tool tip
    // holds either whole.
    void importListsShowWholeNames() {
        Fixture f;
        QTemporaryDir folder;
        const QString name = "hamburg-tisch1-spaetspiel-2025-03-16-1000.txt";
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QDir(folder.path()).mkdir("unten"));
        f.form.okextern.click();
        f.form.Dir1.setPath(folder.path().toStdString());
        auto* files = f.widget<QListWidget>("File1");
        QCOMPARE(files->count(), 1);
        QCOMPARE(files->item(0)->toolTip(), name);
        QCOMPARE(files->textElideMode(), Qt::ElideMiddle);
        QCOMPARE(files->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        auto* dirs = f.widget<QListWidget>("Dir1");
        const int depth = static_cast<int>(folder.path().count('/'));
        QCOMPARE(dirs->item(0)->text(), QString("/"));
        QCOMPARE(dirs->item(depth)->text(),
                 QString(2 * depth, ' ') + QFileInfo(folder.path()).fileName());
        QCOMPARE(dirs->item(depth)->toolTip(), folder.path());
        QCOMPARE(dirs->item(depth + 1)->text(), QString(2 * (depth + 1), ' ') + "unten");
        QCOMPARE(dirs->item(depth + 1)->toolTip(), folder.filePath("unten"));
    }

    void everyControlHasItsWidgetInPlace() {
        Fixture f;
        QCOMPARE(f.window.windowTitle(),
                 QString::fromUtf8("Quovan / EC / Tamvek 1    Vrask / V03.01"));
        // The client area keeps the form's size; the status line lies below it.
        QWidget* client = f.window.clientArea();
        QCOMPARE(client->geometry(), QRect(0, 0, 638, 477));
        QCOMPARE(f.window.width(), 638);
        QCOMPARE(f.window.statusLine()->mapTo(&f.window, QPoint(0, 0)).y() >= 477, true);
        QCOMPARE(f.window.height() > 477, true);
        const QPixmap shot = client->grab();
        QCOMPARE(shot.size() / shot.devicePixelRatio(), QSize(638, 477));
        QCOMPARE(f.window.windowIcon().availableSizes().value(0), QSize(32, 32));
        int count = 0;
        for (const form::Control* c : f.form.controls()) {
            const QString name = QString::fromStdString(c->name());
            auto* w = f.window.findChild<QWidget*>(name);
            QVERIFY2(w != nullptr, qPrintable(name));
            QCOMPARE(w->geometry(), pixels(c->geometry()));
            const bool shown = c->visible() && (c->parent() == nullptr || c->parent()->visible());
            QVERIFY2(w->isVisible() == shown, qPrintable(name));
            QCOMPARE(w->isEnabled(),
                     c->enabled() && (c->parent() == nullptr || c->parent()->enabled()));
            if (!c->toolTip().empty()) QCOMPARE(w->toolTip(), QString::fromStdString(c->toolTip()));
            ++count;
        }
        QCOMPARE(count, 66);
        // The look of a few: colours and captions as designed.
        QCOMPARE(f.widget<QLabel>("gewtotal")->text(), QString("0"));
        QCOMPARE(f.widget<QLabel>("gewtotal")->palette().color(QPalette::Window),
                 QColor(0x80, 0xFF, 0x80));
        QCOMPARE(f.widget<QLineEdit>("srot")->palette().color(QPalette::Base),
                 QColor(0xFF, 0xFF, 0xC0));
        QVERIFY(f.widget<QLineEdit>("srot")->isReadOnly());
        QVERIFY(f.widget<QLabel>("text")->text().contains('\n'));
        QVERIFY(!f.widget<QLabel>("text")->text().contains('\r'));
        QCOMPARE(shot.toImage().pixelColor(2, 2), QColor(0xE0, 0xE0, 0xE0));
    }

    // A stake the game doubles past 999 is a fact in its locked box, not an
    // entry to refuse: the player sees what "Absetz" pays.
    void aRidingStakeAboveNineHundredNinetyNineStaysInSight() {
        test::ProgramFixture f(1);
        const QString table = f.folder.filePath("rot-manque.txt");
        std::FILE* file = std::fopen(table.toLocal8Bit().constData(), "w");
        std::fputs("Spielbank Hamburg\nTisch 1\n01.12.2026\nPermanenz\n3\n1\n1\n", file);
        std::fclose(file);
        f.play("click okextern\nfolder \"" + f.folder.path().toStdString() +
               "\"\nselect rot-manque.txt\nclick okexternok\nclick okstart\n");
        auto* red = f.window.findChild<QLineEdit*>("srot");
        auto* low = f.window.findChild<QLineEdit*>("sklein");
        for (QLineEdit* box : {red, low}) {
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClicks(box, "999");
        }
        QTest::mouseClick(f.window.findChild<QPushButton*>("oksetz1"), Qt::LeftButton);
        QTest::mouseClick(f.window.findChild<QPushButton*>("oksetz2"), Qt::LeftButton);
        QTest::mouseClick(f.window.findChild<QPushButton*>("okstart"), Qt::LeftButton);
        QCOMPARE(f.session.state().currentNumber, std::int16_t{1});
        for (QLineEdit* box : {red, low}) {
            QCOMPARE(box->text(), QString("1998"));
            QCOMPARE(box->palette().color(QPalette::Base), QColor(0, 192, 0));
        }
        auto* balance = f.window.findChild<QLabel*>("gewtotal");
        QCOMPARE(balance->text(), QString("-1998"));
        QTest::mouseClick(f.window.findChild<QPushButton*>("okabsetz1"), Qt::LeftButton);
        QCOMPARE(balance->text(), QString("0"));
        QCOMPARE(red->text(), QString());
    }

    void haltAtRunFillsTenThousandRows() {
        Fixture f;
        QTest::keyClicks(f.widget<QLineEdit>("textanzahl"), "9999");
        auto* halt = f.widget<QRadioButton>("Option1(2)");
        QTest::mouseClick(halt, Qt::LeftButton, {}, QPoint(8, halt->height() / 2));
        QTest::mouseClick(f.widget<QPushButton>("okstart"), Qt::LeftButton);
        QCOMPARE(f.widget<QLabel>("lakut")->text(), QString("9999"));
        auto* view = f.widget<QTableView>("tabelle2");
        QCOMPARE(view->model()->rowCount(), 10000);
        QCOMPARE(f.cell("tabelle2", 9998, 0), QString("9999"));
        QCOMPARE(f.cell("tabelle2", 9998, 10), QString::number(f.session.state().currentNumber));
        // The log is scrolled so its current row stays in view, once the
        // handler has returned to the event loop.
        QTRY_COMPARE(view->verticalScrollBar()->value(), f.form.tabelle2.topRow());
        QCOMPARE(view->rowAt(0), f.form.tabelle2.topRow());
        QVERIFY(f.form.tabelle2.topRow() > 9000);
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
