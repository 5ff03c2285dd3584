// The desktop services: message boxes and file dialogs as the user sees them, the
// single-instance lock, the data folder, the locale and the help window.

#include "platform/qt_platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUuid>
#include <functional>

#include "platform/help_window.h"

using namespace kw;
using kw::gui::QtPlatform;

namespace {

// Answers the next modal window of type W once it is up.
template <class W>
void whenShown(std::function<void(W*)> answer) {
    QTimer::singleShot(0, [answer] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<W*>(top); window && window->isVisible()) {
                answer(window);
                return;
            }
        }
        QFAIL("no window came up");
    });
}

QString uniqueLockName() {
    return "kernwijs-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

void touch(const QString& path) {
    writeFile(path, {});
}

}  // namespace

class QtPlatformTest : public QObject {
    Q_OBJECT

private slots:
    void aMessageShowsItsLinesIconAndButtons() {
        QtPlatform platform(uniqueLockName());
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenShown<QMessageBox>([&](QMessageBox* box) {
            text = box->text();
            icon = box->icon();
            QVERIFY(box->button(QMessageBox::Cancel) != nullptr);
            QCOMPARE(box->windowTitle(), QString("Bevestiging"));
            box->button(QMessageBox::Cancel)->click();
        });
        const MsgAnswer answer = platform.showMessage(
            {"Bevestiging", "Zeker weten?\rTweede regel", MsgIcon::Question, MsgButtons::OkCancel, false});
        QCOMPARE(answer, MsgAnswer::Cancel);
        QCOMPARE(text, QString("Zeker weten?\nTweede regel"));
        QCOMPARE(icon, QMessageBox::Question);
    }

    void escapeOnAnOkBoxCountsAsOk() {
        QtPlatform platform(uniqueLockName());
        whenShown<QMessageBox>([](QMessageBox* box) {
            QVERIFY(box->button(QMessageBox::Cancel) == nullptr);
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(platform.showMessage({"Fout !", "<b>not html</b>", MsgIcon::Critical, MsgButtons::Ok, true}),
                 MsgAnswer::Ok);
    }

    void theSaveDialogProposesTheNameAndAddsTheDefaultSuffix() {
        QtPlatform platform(uniqueLockName());
        QTemporaryDir folder;
        QStringList filters;
        QString title;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            title = dialog->windowTitle();
            QCOMPARE(dialog->defaultSuffix(), QString("TOR"));
            QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
            const QStringList proposed = dialog->selectedFiles();
            QVERIFY(!proposed.isEmpty() && proposed.first().endsWith("RINGBLAD_143005.TOR"));
            dialog->selectFile("ring");
            static_cast<QDialog*>(dialog)->accept();
        });
        FileDialogRequest request{"Kernwijs data file",
                                  "Toroid (*.TOR)|*.TOR",
                                  "TOR",
                                  folder.path().toStdString(),
                                  folder.filePath("RINGBLAD_143005.TOR").toStdString(),
                                  true};
        const auto chosen = platform.saveFileName(request);
        QVERIFY(chosen.has_value());
        QCOMPARE(QString::fromStdString(*chosen), folder.filePath("ring.TOR"));
        QCOMPARE(title, QString("Kernwijs data file"));
        QCOMPARE(filters, QStringList{"Toroid (*.TOR)"});
    }

    void aCancelledOpenDialogGivesNoName() {
        QtPlatform platform(uniqueLockName());
        QTemporaryDir folder;
        whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        FileDialogRequest request{"Kernwijs data file",
                                  "Toroid File (*.tor)|*.tor|Notepad File (*.txt)|*.txt",
                                  "",
                                  folder.path().toStdString(),
                                  "*.TOR",
                                  false};
        QVERIFY(!platform.openFileName(request).has_value());
    }

    void focusGoesToTheNamedControlOfTheActiveWindow() {
        QtPlatform platform(uniqueLockName());
        QWidget first;
        QWidget second;
        auto* inFirst = new QLineEdit(&first);
        inFirst->setObjectName("txtFres1");
        auto* inSecond = new QLineEdit(&second);
        inSecond->setObjectName("txtFres1");
        auto* elsewhere = new QLineEdit(&second);
        elsewhere->setObjectName("txtCap");
        first.show();
        second.show();
        second.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&second));
        elsewhere->setFocus();
        platform.setFocus("txtFres1");
        QVERIFY(inSecond->hasFocus());
        platform.setFocus("noSuchControl");
        QVERIFY(inSecond->hasFocus());
    }

    void nameFiltersInQtForm_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("pattern in the description")
            << "Toroid (*.TOR)|*.TOR" << QStringList{"Toroid (*.TOR)"};
        QTest::newRow("two entries") << "Toroid File (*.tor)|*.tor|Notepad File (*.txt)|*.txt"
                                     << QStringList{"Toroid File (*.tor)", "Notepad File (*.txt)"};
        QTest::newRow("pattern added") << "Postscript|*.PS" << QStringList{"Postscript (*.PS)"};
        QTest::newRow("several patterns") << "Text|*.txt;*.INI" << QStringList{"Text (*.txt *.INI)"};
        QTest::newRow("none") << "" << QStringList{"* (*)"};
    }

    void nameFiltersInQtForm() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(gui::qtNameFilters(filter.toStdString()), expected);
    }

    void aSecondProgramFindsTheFirstRunning() {
        const QString name = uniqueLockName();
        auto first = std::make_unique<QtPlatform>(name);
        QVERIFY(!first->anotherInstanceRunning());
        QVERIFY(!first->anotherInstanceRunning());  // asking again does not find itself
        {
            QtPlatform second(name);
            QVERIFY(second.anotherInstanceRunning());
        }
        first.reset();
        QtPlatform third(name);
        QVERIFY(!third.anotherInstanceRunning());
    }

    void aLockLeftByACrashedRunDoesNotStopTheNextStart() {
        const QString name = uniqueLockName();
        const QString path = QtPlatform(name).lockFilePath();
        // A lock as a run writes it, naming a process that has ended since.
        QByteArray left;
        {
            QLockFile lock(path);
            QVERIFY(lock.tryLock(0));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            left = file.readAll();
            lock.unlock();
        }
        QProcess ended;
        ended.start("true", {});
        QVERIFY(ended.waitForStarted());
        const qint64 deadPid = ended.processId();
        QVERIFY(ended.waitForFinished());
        left = QByteArray::number(deadPid) + left.mid(left.indexOf('\n'));
        writeFile(path, left);

        QtPlatform next(name);
        QVERIFY(!next.anotherInstanceRunning());
        QtPlatform after(name);
        QVERIFY(after.anotherInstanceRunning());
    }

    void anUnreadableLockFileDoesNotStopTheStart() {
        const QString name = uniqueLockName();
        const QString path = QtPlatform(name).lockFilePath();
        writeFile(path, {});
        QtPlatform next(name);
        QVERIFY(!next.anotherInstanceRunning());
    }

    void theDataFolderIsBesideTheProgramOrInstalled() {
        QTemporaryDir program;
        QTemporaryDir data;
        QCOMPARE(gui::findApplicationFolder(program.path(), {data.path()}), QDir::cleanPath(program.path()));
        touch(QDir(data.path()).filePath("KERNWIJS_UK.HLP"));
        QCOMPARE(gui::findApplicationFolder(program.path(), {data.path()}), QDir::cleanPath(data.path()));
        touch(QDir(program.path()).filePath("RINGBLAD3.PS"));
        QCOMPARE(gui::findApplicationFolder(program.path(), {data.path()}), QDir::cleanPath(program.path()));
    }

    void theDecimalSeparatorIsTheUsers() {
        QtPlatform platform(uniqueLockName());
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QCOMPARE(platform.decimalSeparator(), ',');
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(platform.decimalSeparator(), '.');
        QLocale::setDefault(QLocale::c());
    }

    void theHelpWindowShowsAFileOnceAndRaisesItAfterwards() {
        QtPlatform platform(uniqueLockName());
        const QString nl = QStringLiteral(KERNWIJS_RESOURCE_DIR "/KERNWIJS_NL.HLP");
        const QString uk = QStringLiteral(KERNWIJS_RESOURCE_DIR "/KERNWIJS_UK.HLP");
        QVERIFY(platform.showHelp(nl.toStdString()));
        QVERIFY(platform.showHelp(nl.toStdString()));
        QVERIFY(platform.showHelp(uk.toStdString()));
        QVERIFY(!platform.showHelp(KERNWIJS_RESOURCE_DIR "/KERNWIJS_XX.HLP"));
        int helpWindows = 0;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* help = qobject_cast<gui::HelpWindow*>(top); help && help->isVisible()) {
                ++helpWindows;
                QCOMPARE(help->shownFile(), QFileInfo(uk).canonicalFilePath());
                QVERIFY(!help->windowTitle().isEmpty());
            }
        }
        QCOMPARE(helpWindows, 1);
        // Escape closes it.
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* help = qobject_cast<gui::HelpWindow*>(top); help && help->isVisible()) {
                QTest::keyClick(help, Qt::Key_Escape);
                QVERIFY(!help->isVisible());
            }
        }
    }

    void aRefusedSecondStartBringsTheRunningProgramToTheFront() {
        const QString name = uniqueLockName();
        QtPlatform running(name);
        QList<QStringList> calls;
        running.onAnotherStart([&calls](const QStringList& files) { calls << files; });
        QVERIFY(!running.anotherInstanceRunning());
        {
            QtPlatform second(name);
            QVERIFY(second.anotherInstanceRunning());
            second.endProgram();
        }
        QTRY_COMPARE(calls.size(), 1);
        QVERIFY(calls[0].isEmpty());
        // A start with files hands them over, names with blanks and accents whole.
        const QStringList files{QStringLiteral("/home/ham/ring één.tor"), QStringLiteral("/tmp/a.s2p")};
        QtPlatform third(name);
        QVERIFY(third.anotherInstanceRunning());
        third.setFilesToHandOver(files);
        QVERIFY(third.handOverToRunningProgram());
        QTRY_COMPARE(calls.size(), 2);
        QCOMPARE(calls[1], files);
    }

    void theUsersChoicesAreKeptUnderTheirKeys() {
        QTemporaryDir home;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        QtPlatform platform(uniqueLockName());
        QVERIFY(!platform.setting("language").has_value());
        platform.keepSetting("language", "UK");
        platform.keepSetting("folders/tor", "/home/ham/ringen é");
        QCOMPARE(platform.setting("language").value_or(""), std::string("UK"));
        QCOMPARE(platform.setting("folders/tor").value_or(""), std::string("/home/ham/ringen é"));
    }

    void aReadOnlyFolderIsNotWritableAndTheDocumentsFolderExists() {
        QtPlatform platform(uniqueLockName());
        QTemporaryDir dir;
        QVERIFY(platform.folderWritable(dir.path().toStdString()));
        QVERIFY(!platform.folderWritable((dir.path() + "/missing").toStdString()));
        QVERIFY(QFileInfo(QString::fromStdString(platform.documentsFolder())).isDir());
    }
};

QTEST_MAIN(QtPlatformTest)
#include "qt_platform_test.moc"
