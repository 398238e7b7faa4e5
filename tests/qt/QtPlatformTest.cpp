// The Qt services behind the logic: files, folders, drives, sound and Qt's
// own texts in German.

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/Text.h"
#include "qt/German.h"
#include "qt/QtPlatform.h"

using tamvek::qt::QtPlatform;

class QtPlatformTest : public QObject {
    Q_OBJECT
  private slots:
    void readsTextFilesAsUtf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("utf-8 stays")
            << QByteArray("W\xC3\xBCrfe\r\n") << QByteArray("W\xC3\xBCrfe\r\n");
        QTest::newRow("latin-1 is converted")
            << QByteArray("W\xFCrfe") << QByteArray("W\xC3\xBCrfe");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
    }
    void readsTextFilesAsUtf8() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, text);
        QTemporaryDir dir;
        const QString path = dir.filePath("info.txt");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        // The platform hands over the bytes; the shared text rule makes them UTF-8.
        QtPlatform platform;
        const auto read = platform.readFile(path.toStdString());
        QVERIFY(read.ok());
        QCOMPARE(QByteArray::fromStdString(*read), bytes);
        QCOMPARE(QByteArray::fromStdString(tamvek::text::toUtf8(*read)), text);
    }

    void missingFileIsNothing() {
        QtPlatform platform;
        QVERIFY(!platform.readFile("/no/such/folder/info_tamvek1.txt").ok());
    }

    void programFolderIsTheBinarysFolder() {
        QtPlatform platform;
        QCOMPARE(QString::fromStdString(platform.programFolder()),
                 QCoreApplication::applicationDirPath());
        QVERIFY(!platform.programFolder().empty() && platform.programFolder().back() != '/');
    }

    void drivesAreMountedRoots() {
        QtPlatform platform;
        const auto drives = platform.drives();
        QVERIFY(!drives.empty());
        for (const std::string& d : drives)
            QVERIFY2(QDir(QString::fromStdString(d)).exists(), d.c_str());
        QVERIFY(std::is_sorted(drives.begin(), drives.end()));
    }

    // Qt's own dialogs and buttons speak German, like every other text.
    void qtsOwnTextsAreGerman() {
        QVERIFY2(tamvek::qt::speakGerman(*QCoreApplication::instance()),
                 "Qt's German catalogue is missing: install qt6-translations-l10n");
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text().remove('&'), QString("Abbrechen"));
        QCOMPARE(QCoreApplication::translate("QPrintDialog", "Print"), QString("Drucken"));
        QCOMPARE(QLocale().toString(QDate(2026, 12, 7), "dd. MMMM yyyy"),
                 QString("07. Dezember 2026"));
    }

    void soundFailuresStaySilent() {
        // A missing file and a file that is no wave must both just return.
        QtPlatform platform;
        platform.playSound("/no/such/g2.wav");
        platform.playSound(QFINDTESTDATA("QtPlatformTest.cpp").toStdString());
        platform.playSound(QFINDTESTDATA("QtPlatformTest.cpp").toStdString());
    }
};

QTEST_MAIN(QtPlatformTest)
#include "QtPlatformTest.moc"
