#include "about.h"
#include "mainwindow.h"
#include "modal.h"
#include "seriallink.h"
#include "simunit.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

QLabel *portLabel(const MainWindow &window)
{
    return window.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly).value(1);
}

// Sets the named edits of the next dialog, then accepts it.
void typeAndAccept(const QList<QPair<const char *, QString>> &edits)
{
    answerNextDialog([edits](QDialog *dialog) {
        for (const auto &[name, text] : edits)
            dialog->findChild<QLineEdit *>(name)->setText(text);
        dialog->accept();
    });
}

// A simulated unit as COM3 and every other port name pointing nowhere, so the
// machine's own ports stay out of the port dialog.
std::unique_ptr<simUnit> onlySimulatedPort()
{
    auto unit = std::make_unique<simUnit>();
    if (!unit->mapAs(QStringLiteral("COM3")))
        return nullptr;
    for (int n = 1; n <= 31; ++n) {
        if (n != 3)
            QFile::link(QStringLiteral("/nonexistent/tty"),
                        serialLink::portMapFolder() + QStringLiteral("/COM%1").arg(n));
    }
    return unit;
}

} // namespace

class WindowDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { isolateSettings(); }
    void portChoiceReachesStatusBar();
    void cancelledPortChangesNothing();
    void characterDialogsStoreTheirByte();
    void cancelledCharacterDialogChangesNothing();
    void aboutTwiceGivesTwoWindows();
    void missingHelpDocumentIsReported();
};

void WindowDialogsTest::portChoiceReachesStatusBar()
{
    const auto unit = onlySimulatedPort();
    QVERIFY(unit);
    MainWindow window;
    QStringList listed;
    answerNextDialog([&listed](QDialog *dialog) {
        auto *ports = dialog->findChild<QComboBox *>("comboBox");
        for (int i = 0; i < ports->count(); ++i)
            listed.append(ports->itemText(i));
        dialog->accept();
    });
    QVERIFY(closingBoxes([&] { window.show_port(); }).isEmpty());
    QCOMPARE(listed, QStringList{"COM3"});
    QCOMPARE(window.currentSettings().port, QStringLiteral("COM3"));
    QCOMPARE(window.currentSettings().baud, 1200);
    QCOMPARE(portLabel(window)->text(), QStringLiteral("COM3 Baud: 1200"));
}

void WindowDialogsTest::cancelledPortChangesNothing()
{
    const auto unit = onlySimulatedPort();
    QVERIFY(unit);
    MainWindow window;
    answerNextDialog([](QDialog *dialog) { dialog->reject(); });
    QVERIFY(closingBoxes([&] { window.show_port(); }).isEmpty());
    QCOMPARE(window.currentSettings().port, QStringLiteral("COM1"));
    QCOMPARE(portLabel(window)->text(), QStringLiteral("COM1  Baud: 1200"));
}

void WindowDialogsTest::characterDialogsStoreTheirByte()
{
    MainWindow window;
    linkSettings &settings = window.currentSettings();
    typeAndAccept({{"i_char", "K"}});
    QVERIFY(closingBoxes([&] { window.setAckChar(); }).isEmpty());
    QCOMPARE(settings.ack, qint8('K'));

    typeAndAccept({{"c_ds", ";"}, {"c_us", ","}});
    QVERIFY(closingBoxes([&] { window.setSeparators(); }).isEmpty());
    QCOMPARE(settings.dlSep, qint8(';'));
    QCOMPARE(settings.upSep, qint8(','));

    typeAndAccept({{"i_char", "5"}});
    QVERIFY(closingBoxes([&] { window.setFixChar(); }).isEmpty());
    QCOMPARE(settings.chks, qint8('5'));
    typeAndAccept({});
    QVERIFY(closingBoxes([&] { window.setFixChar(); }).isEmpty());
    QCOMPARE(settings.chks, qint8(0));

    typeAndAccept({{"i_char", "¤"}});
    QVERIFY(closingBoxes([&] { window.setUploadCommand(); }).isEmpty());
    QCOMPARE(settings.upCmd, qint8(0xA4));
}

void WindowDialogsTest::cancelledCharacterDialogChangesNothing()
{
    MainWindow window;
    answerNextDialog([](QDialog *dialog) {
        dialog->findChild<QLineEdit *>("i_char")->setText(QStringLiteral("K"));
        dialog->reject();
    });
    QVERIFY(closingBoxes([&] { window.setAckChar(); }).isEmpty());
    QCOMPARE(window.currentSettings().ack, qint8('O'));
}

void WindowDialogsTest::aboutTwiceGivesTwoWindows()
{
    MainWindow window;
    window.currentSettings().linkText = QStringLiteral("Link line");
    window.currentSettings().aboutText = QStringLiteral("About line");
    window.nevjegy();
    window.nevjegy();
    const QList<about *> windows = window.findChildren<about *>();
    QCOMPARE(windows.size(), 2);
    for (about *shown : windows) {
        QVERIFY(shown->isVisible());
        QCOMPARE(shown->findChild<QLabel *>("label_comp")->text(), QStringLiteral("Link line"));
        QCOMPARE(shown->findChild<QLabel *>("label_wby")->text(), QStringLiteral("About line"));
    }
}

void WindowDialogsTest::missingHelpDocumentIsReported()
{
    QTemporaryDir folder;
    const QString startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.path()));
    MainWindow window;
    const QList<BoxSeen> seen = closingBoxes([&] { window.contents(); });
    QDir::setCurrent(startFolder);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Help"));
    QCOMPARE(seen[0].text, QStringLiteral("Hiba! A dokumentáció nem nyitható meg."));
}

QTEST_MAIN(WindowDialogsTest)
#include "test_window_dialogs.moc"
