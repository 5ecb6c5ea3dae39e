#include "mainwindow.h"
#include "modal.h"
#include "recordsamples.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>

namespace {


const QList<int> maxLengths = {16, 4, 4, 16, 1, 16, 16, 4, 16, 16, 16, 16, 16, 16, 16, 16,
                               4, 4, 2, 4, 4, 2, 16, 16, 16, 2, 14, 14, 14, 14, 14, 14, 14,
                               14, 16};

QStringList objectNames(const QList<QWidget *> &widgets)
{
    QStringList names;
    for (const QWidget *widget : widgets)
        names.append(widget->objectName());
    return names;
}

template <typename T>
QList<QWidget *> formFields(const MainWindow &window)
{
    QList<QWidget *> fields;
    for (T *field : window.findChild<QWidget *>("centralWidget")->findChildren<T *>())
        fields.append(field);
    return fields;
}

QAction *action(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(name);
}

QList<QLabel *> statusLabels(const MainWindow &window)
{
    return window.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
}

} // namespace

class FormTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { isolateSettings(); }
    void lineEditsInFormOrder();
    void checkBoxesInFormOrder();
    void lineEditsKeepTheirLength();
    void smsCentreStartsWithPreset();
    void windowIsFixedSize();
    void actionsAndMenusStartState();
    void shortcuts();
    void defaultRecordTicksEightBitSum();
    void checkTogglesChecksumMenu();
    void checksumActionsAreExclusive();
    void statusBarLabels();
    void infoWithoutFile();
    void infoWithFile();
};

void FormTest::lineEditsInFormOrder()
{
    const MainWindow window;
    QCOMPARE(objectNames(formFields<QLineEdit>(window)), recordSamples::lineEditNames());
    for (QWidget *field : formFields<QLineEdit>(window)) {
        const bool courier = field->font().families().contains(QStringLiteral("Courier"));
        QCOMPARE(courier, field->objectName() != QLatin1String("riaszto_stop"));
    }
}

void FormTest::checkBoxesInFormOrder()
{
    const MainWindow window;
    QStringList expected{"checkBox"};
    for (int n = 2; n <= 16; ++n)
        expected.append(QStringLiteral("checkBox_%1").arg(n));
    const QList<QWidget *> boxes = formFields<QCheckBox>(window);
    QCOMPARE(objectNames(boxes), expected);
    for (QWidget *box : boxes) {
        QVERIFY(!static_cast<QCheckBox *>(box)->isChecked());
        QVERIFY(box->isEnabled());
    }
}

void FormTest::lineEditsKeepTheirLength()
{
    MainWindow window;
    const QList<QWidget *> edits = formFields<QLineEdit>(window);
    for (int i = 0; i < edits.size(); ++i) {
        auto *edit = static_cast<QLineEdit *>(edits[i]);
        QCOMPARE(edit->maxLength(), maxLengths[i]);
        edit->setText(QString(40, QLatin1Char('7')));
        QCOMPARE(edit->text().size(), maxLengths[i]);
    }
}

void FormTest::smsCentreStartsWithPreset()
{
    const MainWindow window;
    auto *smskp = window.findChild<QLineEdit *>("smskp");
    QCOMPARE(smskp->text(), QStringLiteral("36309888000"));
    QVERIFY(!smskp->isEnabled());
    auto *combo = window.findChild<QComboBox *>("smskp_combo");
    QCOMPARE(combo->currentText(), QStringLiteral("T-Mobile"));
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->itemText(3), QStringLiteral("Egyéni"));
}

void FormTest::windowIsFixedSize()
{
    MainWindow window;
    QCOMPARE(window.size(), QSize(1000, 630));
    QCOMPARE(window.minimumSize(), QSize(1000, 630));
    QCOMPARE(window.maximumSize(), QSize(1000, 630));
    window.resize(1200, 800);
    QCOMPARE(window.size(), QSize(1000, 630));
    QCOMPARE(window.windowTitle(), QStringLiteral("Varlok-2 letöltő szoftver"));
}

void FormTest::actionsAndMenusStartState()
{
    const MainWindow window;
    for (const char *name : {"actionNew", "actionSaveAs"}) {
        QVERIFY2(!action(window, name)->isEnabled(), name);
        QVERIFY2(!action(window, name)->isVisible(), name);
    }
    for (const char *name : {"actionCheck", "actionACK", "actionSeparators", "actionUC"}) {
        QVERIFY2(!action(window, name)->isEnabled(), name);
        QVERIFY2(action(window, name)->isVisible(), name);
    }
    for (const char *name : {"actionOpen", "actionSave", "actionExit", "actionPort",
                             "actionReadup", "actionDownload", "actionVerify", "actionAbout",
                             "actionContents"})
        QVERIFY2(action(window, name)->isEnabled(), name);
    QVERIFY(!window.findChild<QMenu *>("menuCHKS")->isEnabled());
    QVERIFY(action(window, "actionCheck")->isCheckable());
    QVERIFY(!action(window, "actionCheck")->isChecked());

    QStringList titles;
    for (QAction *entry : window.menuBar()->actions())
        titles.append(entry->text());
    QCOMPARE(titles, QStringList({"Fájl", "Beállítások", "Eszköz", "Help"}));
}

void FormTest::shortcuts()
{
    const MainWindow window;
    const QList<QPair<const char *, QString>> expected = {
        {"actionOpen", "Ctrl+O"}, {"actionSave", "Ctrl+S"}, {"actionExit", "Ctrl+Q"},
        {"actionReadup", "Ctrl+R"}, {"actionDownload", "Ctrl+D"}, {"actionVerify", "Ctrl+V"},
        {"actionContents", "F1"}, {"actionNew", "Ctrl+N"}};
    for (const auto &[name, keys] : expected)
        QCOMPARE(action(window, name)->shortcut(), QKeySequence(keys));
}

void FormTest::defaultRecordTicksEightBitSum()
{
    const MainWindow window;
    QVERIFY(action(window, "action8bit_sum")->isChecked());
    for (const char *name : {"action16bit_sum", "action24bit_sum", "action32bit_sum", "actionFix"})
        QVERIFY2(!action(window, name)->isChecked(), name);
}

void FormTest::checkTogglesChecksumMenu()
{
    MainWindow window;
    auto *menu = window.findChild<QMenu *>("menuCHKS");
    window.setCheck();
    QCOMPARE(window.currentSettings().check, 1);
    QVERIFY(menu->isEnabled());
    window.setCheck();
    QCOMPARE(window.currentSettings().check, 0);
    QVERIFY(!menu->isEnabled());
}

void FormTest::checksumActionsAreExclusive()
{
    MainWindow window;
    action(window, "action24bit_sum")->trigger();
    QCOMPARE(window.currentSettings().chks, qint8(2));
    QVERIFY(!action(window, "action8bit_sum")->isChecked());
    action(window, "action32bit_sum")->trigger();
    QCOMPARE(window.currentSettings().chks, qint8(3));
    QVERIFY(!action(window, "action24bit_sum")->isChecked());
    action(window, "action16bit_sum")->trigger();
    QCOMPARE(window.currentSettings().chks, qint8(1));
    action(window, "action8bit_sum")->trigger();
    QCOMPARE(window.currentSettings().chks, qint8(0));
}

void FormTest::statusBarLabels()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QLabel *> labels = statusLabels(window);
    QCOMPARE(labels.size(), 2);
    QCOMPARE(labels[0]->text(), QStringLiteral("No file"));
    QCOMPARE(labels[1]->text(), QStringLiteral("COM1  Baud: 1200"));
    QVERIFY(labels[0]->x() < labels[1]->x());
    // Both stretch alike, so they share the free width.
    QVERIFY(qAbs(labels[0]->width() - labels[1]->width()) <= 2);
}

void FormTest::infoWithoutFile()
{
    MainWindow window;
    window.currentSettings().chks = '#';
    const QList<BoxSeen> boxes = closingBoxes([&] { window.show_info(); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].title, QStringLiteral("Information"));
    QCOMPARE(boxes[0].text, QStringLiteral("No opened file."));
}

void FormTest::infoWithFile()
{
    MainWindow window;
    window.currentSettings().filePath = QStringLiteral("unit.vrk");
    QList<BoxSeen> boxes = closingBoxes([&] { window.show_info(); });
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes[0].icon, int(QMessageBox::Information));
    QCOMPARE(boxes[0].text, QStringLiteral("Port: COM1\nBaudrate: B1200\nTimeout: 1500\n"
                                           "CHKS: 8bit sum\nACK char: O\nCheckvalue: 0\n"
                                           "Download Separator: |\nUpload Separator: |\n"
                                           "Upload Command: {\n"));

    window.currentSettings().chks = '#';
    boxes = closingBoxes([&] { window.show_info(); });
    QVERIFY(boxes.value(0).text.contains(QStringLiteral("\nCHKS: #\n")));
    window.currentSettings().chks = 2;
    boxes = closingBoxes([&] { window.show_info(); });
    QVERIFY(boxes.value(0).text.contains(QStringLiteral("\nCHKS: 24bit sum\n")));
}

QTEST_MAIN(FormTest)
#include "test_form.moc"
