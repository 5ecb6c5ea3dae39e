#include "about1.h"
#include "editorfiles.h"
#include "mainwindow.h"
#include "model1names.h"
#include "modal.h"
#include "pasting.h"
#include "seriallink.h"
#include "simunit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList lineEditNames = model1Names::lineEdits();

template <class T>
QStringList namesOf(const MainWindow &window)
{
    QStringList names;
    for (const T *widget : window.centralWidget()->findChildren<T *>())
        names.append(widget->objectName());
    return names;
}

QLineEdit *edit(const MainWindow &window, const char *name)
{
    return window.findChild<QLineEdit *>(name);
}

QRadioButton *radio(const MainWindow &window, const char *name)
{
    return window.findChild<QRadioButton *>(name);
}

QStringList statusTexts(const MainWindow &window)
{
    QStringList texts;
    for (const QLabel *label : window.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        texts.append(label->text());
    return texts;
}

// 54 lines: smskp, the other line edits "v<n>" (hysteresis and mode lines as
// given), 16 flags, then the three radio lines; CR LF ended.
QStringList fileLines(const QStringList &radios, const QString &mode = QStringLiteral("0"))
{
    QStringList lines;
    for (int i = 0; i < lineEditNames.size(); ++i)
        lines.append(QStringLiteral("v%1").arg(i));
    lines[0] = QStringLiteral("36209300099");
    lines[4] = QStringLiteral("1");
    lines[6] = QStringLiteral("B");
    lines[18] = QStringLiteral("9");
    lines[20] = mode;
    for (int k = 0; k < 16; ++k)
        lines.append(k % 3 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
    return lines + radios;
}

void writeLines(const QString &path, const QStringList &lines,
                editorFiles::saving how = editorFiles::saving::program)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(editorFiles::bytes(lines, how));
}

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

} // namespace

class Model1WindowTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formOrderAndCounts();
    void startState();
    void statusQueryInDeviceMenu();
    void portDialogPreselects_data();
    void portDialogPreselects();
    void aboutAndHelp();
    void fixedFieldKeepsItsValue();
    void popupEndsEditingUnlessOwn_data();
    void popupEndsEditingUnlessOwn();
    void saveWritesFixedNameAndRadios();
    void saveRefusesWhatTheFileCannotHold_data();
    void saveRefusesWhatTheFileCannotHold();
    void openTakesRadioLines_data();
    void openTakesRadioLines();
    void openSkipsFixedLines();
    void filesFromOtherEditors_data();
    void filesFromOtherEditors();
    void openRefusesOtherLineCounts_data();
    void openRefusesOtherLineCounts();
    void missingFileIsAWarning();

private:
    std::unique_ptr<QTemporaryDir> folder;
    QString startFolder;
};

void Model1WindowTest::init()
{
    isolateSettings();
    folder = std::make_unique<QTemporaryDir>();
    QVERIFY(folder->isValid());
    startFolder = QDir::currentPath();
    QDir::setCurrent(folder->path());
}

void Model1WindowTest::cleanup()
{
    QDir::setCurrent(startFolder);
    folder.reset();
}

void Model1WindowTest::formOrderAndCounts()
{
    MainWindow window;
    QCOMPARE(namesOf<QLineEdit>(window), lineEditNames);
    QCOMPARE(namesOf<QLineEdit>(window).indexOf("rb"), 20);
    const QStringList boxes = namesOf<QCheckBox>(window);
    QCOMPARE(boxes.size(), 16);
    QCOMPARE(boxes.first(), QStringLiteral("checkBox"));
    QCOMPARE(boxes.last(), QStringLiteral("checkBox_16"));
    QCOMPARE(namesOf<QRadioButton>(window), (QStringList{"r2", "r1", "r0"}));
}

void Model1WindowTest::startState()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(1000, 620));
    QCOMPARE(window.minimumSize(), QSize(1000, 600));
    QCOMPARE(window.maximumSize(), QSize(1200, 630));
    const QStringList status = statusTexts(window);
    QCOMPARE(status.size(), 3);
    QCOMPARE(status.at(0), QStringLiteral("No file"));
    QCOMPARE(status.at(1), QStringLiteral("COM1  Baud: 1200"));
    QVERIFY(!edit(window, "rb")->isVisible());
    QVERIFY(radio(window, "r0")->isChecked());

    const struct { const char *name; const char *text; int maxLength; } fixed[] = {
        {"be2_nev", "A", 16}, {"h1_hist", "2", 2}, {"rb", "0", 1}, {"h2_hist", "1", 4}};
    for (const auto &field : fixed) {
        QLineEdit *line = edit(window, field.name);
        QCOMPARE(line->text(), QString::fromLatin1(field.text));
        QCOMPARE(line->maxLength(), field.maxLength);
        QVERIFY2(!line->isEnabled(), field.name);
    }
    QCOMPARE(window.findChild<QLabel *>("l_temp")->text(), QStringLiteral("---"));
    QVERIFY(!window.findChild<QLabel *>("label_18")->pixmap().isNull());
}

void Model1WindowTest::statusQueryInDeviceMenu()
{
    MainWindow window;
    const QList<QAction *> entries = window.findChild<QMenu *>("menuDevice")->actions();
    QCOMPARE(entries.size(), 6);
    QVERIFY(entries.at(4)->isSeparator());
    QCOMPARE(entries.at(5)->objectName(), QStringLiteral("actionAllapot"));
    QCOMPARE(entries.at(5)->text(), QStringLiteral("Állapot lekérdezése"));
    QVERIFY(entries.at(5)->shortcut().isEmpty());
    QVERIFY(entries.at(5)->isEnabled());
}

void Model1WindowTest::portDialogPreselects_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("current");

    QTest::newRow("listed port") << "COM5" << "COM5";
    QTest::newRow("port not listed") << "COM1" << "COM3";
}

void Model1WindowTest::portDialogPreselects()
{
    QFETCH(QString, port);
    QFETCH(QString, current);

    // COM3 and COM5 lead to the simulated unit; no other port opens.
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    for (int n = 1; n <= 31; ++n) {
        const QString target = n == 5 ? unit.devicePath() : QStringLiteral("/nonexistent/tty");
        if (n != 3)
            QVERIFY(QFile::link(target, serialLink::portMapFolder() + QStringLiteral("/COM%1").arg(n)));
    }
    MainWindow window;
    window.currentSettings().port = port;
    QStringList listed;
    QString shown;
    answerNextDialog([&](QDialog *dialog) {
        auto *ports = dialog->findChild<QComboBox *>("comboBox");
        for (int i = 0; i < ports->count(); ++i)
            listed.append(ports->itemText(i));
        shown = ports->currentText();
        dialog->accept();
    });
    closingBoxes([&] { window.show_port(); });
    QCOMPARE(listed, (QStringList{"COM3", "COM5"}));
    QCOMPARE(shown, current);
    QCOMPARE(window.currentSettings().port, current);
    QCOMPARE(statusTexts(window).at(1), QStringLiteral("%1 Baud: 1200").arg(current));
}

void Model1WindowTest::aboutAndHelp()
{
    MainWindow window;
    window.nevjegy();
    window.nevjegy();
    QCOMPARE(window.findChildren<about1 *>().size(), 2);
    auto *version = window.findChild<about1 *>()->findChild<QLabel *>("label_6");
    QVERIFY(version);
    QCOMPARE(version->text(), QStringLiteral("Version v2.1.0"));

    window.contents(); // no help file in this folder
    writeLines(QStringLiteral("varlok-1.hlp"), {"Súgó", "---", "rejtett"});
    window.contents();
    const QList<QPlainTextEdit *> views = window.findChildren<QPlainTextEdit *>();
    QCOMPARE(views.size(), 2);
    QCOMPARE(views.at(0)->toPlainText(), QStringLiteral("ERROR: Nem lehet megnyitni a súgót."));
    QVERIFY(views.at(1)->toPlainText().startsWith(QStringLiteral("S")));
    QVERIFY(!views.at(1)->toPlainText().contains(QStringLiteral("rejtett")));
}

void Model1WindowTest::fixedFieldKeepsItsValue()
{
    MainWindow window;
    edit(window, "h1_hist")->setText(QStringLiteral("1"));
    const QList<BoxSeen> seen = closingBoxes([&] { window.input_check(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("Error"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Az értéknek 2 és 19 °C között kell lennie."));
    // The user cannot edit it: an empty field would refuse every load.
    QCOMPARE(edit(window, "h1_hist")->text(), QStringLiteral("2"));

    edit(window, "h2_high")->setText(QStringLiteral("130"));
    const QList<BoxSeen> range = closingBoxes([&] { window.input_check(); });
    QCOMPARE(range.size(), 1);
    QCOMPARE(range.at(0).text, QStringLiteral("Az értéknek -50 és +120 °C között kell lennie."));
    QCOMPARE(edit(window, "h2_high")->text(), QString());
}

void Model1WindowTest::popupEndsEditingUnlessOwn_data()
{
    QTest::addColumn<bool>("ownMenu");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("textAfter");

    QTest::newRow("menu of the menu bar")
        << false << QStringList{"Error: Az értéknek -50 és +120 °C között kell lennie."} << QString();
    QTest::newRow("own context menu") << true << QStringList{} << QStringLiteral("130");
}

void Model1WindowTest::popupEndsEditingUnlessOwn()
{
    QFETCH(bool, ownMenu);
    QFETCH(QStringList, boxes);
    QFETCH(QString, textAfter);

    MainWindow window;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QLineEdit *high = edit(window, "h2_high");
    high->setFocus(Qt::TabFocusReason);
    QVERIFY(high->hasFocus());
    QTest::keyClicks(high, QStringLiteral("130"));
    // Either popup takes the focus from the line edit with Qt::PopupFocusReason.
    const QList<BoxSeen> seen = closingBoxes([&] {
        if (ownMenu) {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), high->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(high, &click);
        } else {
            window.menuBar()->setActiveAction(window.findChild<QMenu *>("menuDevice")->menuAction());
        }
    });
    QWidget *popup = QApplication::activePopupWidget();
    const bool ownStillOpen = popup && popup->parentWidget() == high;
    if (popup)
        popup->close();
    QVERIFY2(!QApplication::activePopupWidget(), "a menu stayed open");

    QCOMPARE(ownStillOpen, ownMenu);
    QStringList shown;
    for (const BoxSeen &box : seen)
        shown.append(box.title + QStringLiteral(": ") + box.text);
    QCOMPARE(shown, boxes);
    QCOMPARE(high->text(), textAfter);
}

void Model1WindowTest::saveWritesFixedNameAndRadios()
{
    MainWindow window;
    edit(window, "be2_nev")->setText(QStringLiteral("B"));
    pasteOver(edit(window, "m_nev"), QStringLiteral("Pince\r\n"));
    pasteOver(edit(window, "rele1_on"), QStringLiteral("R1\nBE"));
    edit(window, "rb")->setText(QStringLiteral("+"));
    radio(window, "r2")->setChecked(true);
    window.findChild<QCheckBox *>("checkBox_9")->setChecked(true);
    const QString path = folder->filePath(QStringLiteral("one.rvo"));
    answerFileDialog(path);
    const QList<BoxSeen> seen = closingBoxes([&] { window.save(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("Save"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Sikeres mentés."));

    const QStringList lines = readLines(path);
    QCOMPARE(lines.size(), 54);
    QCOMPARE(lines.at(3), QStringLiteral("Pince"));
    QCOMPARE(lines.at(6), QStringLiteral("A"));
    QCOMPARE(lines.at(20), QStringLiteral("+"));
    QCOMPARE(lines.at(43), QStringLiteral("1"));
    QCOMPARE(lines.mid(51), (QStringList{"1", "0", "0"}));
    QCOMPARE(edit(window, "be2_nev")->text(), QStringLiteral("A"));

    // Back into a fresh window: the same form.
    MainWindow other;
    answerFileDialog(path);
    closingBoxes([&] { other.openfile(); });
    QCOMPARE(edit(other, "m_nev")->text(), QStringLiteral("Pince"));
    QCOMPARE(edit(other, "rele1_on")->text(), QStringLiteral("R1BE"));
    QCOMPARE(edit(other, "rb")->text(), QStringLiteral("+"));
    QVERIFY(radio(other, "r2")->isChecked());
    QVERIFY(other.findChild<QCheckBox *>("checkBox_9")->isChecked());
}

void Model1WindowTest::saveRefusesWhatTheFileCannotHold_data()
{
    QTest::addColumn<bool>("oldFile"); // a file was there before
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason"); // how the box's reason starts

    QTest::newRow("a field reads ---")
        << true << "rele1_on" << "---"
        << "The field \"1-es relé bekapcsolási parancs:\" holds only \"---\", the mark that ends a parameter file "
           "(its line 9): the file could not be opened again. Change the field and save again.";
    QTest::newRow("the first field reads ---") << false << "smskp" << "---"
                                               << "The field \"Szolgáltató:\" holds only \"---\", the mark that ends "
                                                  "a parameter file (its line 1)";
    QTest::newRow("the last field reads ---") << true << "riaszto_stop" << "---"
                                              << "The field \"Folyamatos riasztás leállítása:\" holds only \"---\", "
                                                 "the mark that ends a parameter file (its line 35)";
    QTest::newRow("a letter the file lacks")
        << true << "riaszto_stop" << "Peña"
        << "The field \"Folyamatos riasztás leállítása:\" holds the letter \"ñ\" (U+00F1), which a parameter file "
           "cannot hold. Change the field and save again.";
    QTest::newRow("the hidden regulator field") << false << "rb" << "ñ"
                                                << "The field \"Hűtés / Fűtés / Ki\" holds the letter \"ñ\"";
    // Line breaks put in directly, as an input method can, not through the paste filter.
    QTest::newRow("LF inside") << true << "m_nev" << "Gate\nNorth"
                               << "The field \"Készülék neve:\" holds a line break, which would split its line of the "
                                  "file: the file would not give the form back. Remove it and save again.";
    QTest::newRow("CR inside the first field") << false << "smskp" << "0630\r1"
                                               << "The field \"Szolgáltató:\" holds a line break";
    QTest::newRow("--, CR, -: reads as ---") << true << "be1_nev" << "--\r-"
                                             << "The field \"Hőmérő neve:\" holds a line break";
    // The field's length limit keeps half of the emoji.
    QTest::newRow("half an emoji at the limit")
        << true << "riaszto_stop" << "Riasztas vege 1\U0001F525"
        << "The field \"Folyamatos riasztás leállítása:\" ends in half a letter, the rest cut off by the field's "
           "length, which a parameter file cannot hold. Change the field and save again.";
}

void Model1WindowTest::saveRefusesWhatTheFileCannotHold()
{
    QFETCH(bool, oldFile);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    const QString path = folder->filePath(QStringLiteral("kept.rvo"));
    const QStringList old = fileLines({"0", "1", "0"});
    if (oldFile)
        writeLines(path, old);
    MainWindow window;
    window.findChild<QLineEdit *>(field)->setText(text);
    answerFileDialog(path);
    const QList<BoxSeen> seen = closingBoxes([&] { window.save(); });
    QCOMPARE(seen.size(), oldFile ? 2 : 1); // the file dialog asks before it replaces the file
    QVERIFY2(seen.last().text.startsWith(QStringLiteral("The file could not be saved.\n") + reason),
             qPrintable(seen.last().text));
    QCOMPARE(seen.last().icon, int(QMessageBox::Critical));
    QCOMPARE(QFile::exists(path), oldFile);
    QCOMPARE(readLines(path), oldFile ? old : QStringList());
    QCOMPARE(statusTexts(window).at(0), QStringLiteral("No file"));
}

void Model1WindowTest::openTakesRadioLines_data()
{
    QTest::addColumn<QStringList>("radios");
    QTest::addColumn<QString>("checked");

    QTest::newRow("heating") << QStringList{"0", "1", "0"} << "r1";
    QTest::newRow("last of several wins") << QStringList{"1", "1", "0"} << "r1";
    QTest::newRow("cooling") << QStringList{"1", "0", "0"} << "r2";
    QTest::newRow("none keeps the earlier choice") << QStringList{"0", "0", "0"} << "r2";
}

void Model1WindowTest::openTakesRadioLines()
{
    QFETCH(QStringList, radios);
    QFETCH(QString, checked);

    MainWindow window;
    radio(window, "r2")->setChecked(true);
    const QString path = folder->filePath(QStringLiteral("radio.rvo"));
    writeLines(path, fileLines(radios, QStringLiteral("+")));
    answerFileDialog(path);
    const QList<BoxSeen> seen = closingBoxes([&] { window.openfile(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).title, QStringLiteral("File opened."));
    QCOMPARE(seen.at(0).text, QStringLiteral("radio.rvo sikeresen betöltve."));
    QVERIFY(radio(window, checked.toLatin1().constData())->isChecked());
    QCOMPARE(edit(window, "rb")->text(), QStringLiteral("+")); // not compared with the buttons
}

void Model1WindowTest::openSkipsFixedLines()
{
    MainWindow window;
    const QString path = folder->filePath(QStringLiteral("fixed.rvo"));
    writeLines(path, fileLines({"0", "0", "1"}));
    answerFileDialog(path);
    closingBoxes([&] { window.openfile(); });
    QCOMPARE(edit(window, "be2_nev")->text(), QStringLiteral("A"));
    QCOMPARE(edit(window, "h1_hist")->text(), QStringLiteral("2"));
    QCOMPARE(edit(window, "h2_hist")->text(), QStringLiteral("v21"));
    QCOMPARE(edit(window, "m_nev")->text(), QStringLiteral("v3"));
    QCOMPARE(window.findChild<QComboBox *>("smskp_combo")->currentText(), QStringLiteral("Telenor"));
    QCOMPARE(statusTexts(window).at(0), QStringLiteral("fixed.rvo"));
}

void Model1WindowTest::filesFromOtherEditors_data()
{
    editorFiles::addOpeningRows();
}

void Model1WindowTest::filesFromOtherEditors()
{
    QFETCH(editorFiles::saving, how);
    QFETCH(QString, field);
    QFETCH(QString, inFile);
    QFETCH(QString, shown);
    MainWindow window;
    // Lines the window keeps as they are: its fixed fields' values, max_sms within its length.
    QStringList lines = fileLines({"0", "1", "0"});
    lines[6] = QStringLiteral("A");
    lines[18] = QStringLiteral("2");
    lines[25] = QStringLiteral("9");
    const qsizetype index = lineEditNames.indexOf(field);
    lines[index] = inFile;
    const QString path = folder->filePath(QStringLiteral("other.rvo"));
    writeLines(path, lines, how);

    QLineEdit *const fieldEdit = edit(window, field.toLatin1().constData());
    const QString before = fieldEdit->text();
    answerFileDialog(path);
    const QString box = closingBoxes([&] { window.openfile(); }).value(0).text;
    if (shown.isEmpty()) {
        QCOMPARE(box, QStringLiteral("A kiválasztott fájlt nem lehet megnyitni."));
        QCOMPARE(fieldEdit->text(), before);
        return;
    }
    QCOMPARE(box, QStringLiteral("other.rvo sikeresen betöltve."));
    QCOMPARE(fieldEdit->text(), shown);
    QCOMPARE(edit(window, "smskp")->text(), lines.first());
    QCOMPARE(window.findChild<QComboBox *>("smskp_combo")->currentText(), QStringLiteral("Telenor"));

    // Saved back, every field, tick and radio line as the program writes them.
    const QString saved = folder->filePath(QStringLiteral("saved.rvo"));
    answerFileDialog(saved);
    QCOMPARE(closingBoxes([&] { window.save(); }).value(0).text, QStringLiteral("Sikeres mentés."));
    lines[index] = shown;
    QFile back(saved);
    QVERIFY(back.open(QIODevice::ReadOnly));
    QCOMPARE(back.readAll(), editorFiles::bytes(lines, editorFiles::saving::program));
}

void Model1WindowTest::openRefusesOtherLineCounts_data()
{
    QTest::addColumn<int>("lineCount");

    QTest::newRow("53 lines") << 53;
    QTest::newRow("55 lines") << 55;
    QTest::newRow("a model-2 file") << 51;
}

void Model1WindowTest::openRefusesOtherLineCounts()
{
    QFETCH(int, lineCount);

    MainWindow window;
    QStringList lines = fileLines({"1", "0", "0"});
    while (lines.size() > lineCount)
        lines.removeLast();
    while (lines.size() < lineCount)
        lines.append(QStringLiteral("0"));
    const QString path = folder->filePath(QStringLiteral("count.rvo"));
    writeLines(path, lines);
    answerFileDialog(path);
    const QList<BoxSeen> seen = closingBoxes([&] { window.openfile(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).icon, int(QMessageBox::Critical));
    QCOMPARE(seen.at(0).title, QStringLiteral("File error."));
    QCOMPARE(seen.at(0).text, QStringLiteral("A kiválasztott fájlt nem lehet megnyitni."));
    QCOMPARE(edit(window, "m_nev")->text(), QString());
    QVERIFY(radio(window, "r0")->isChecked());
    QCOMPARE(statusTexts(window).at(0), QStringLiteral("No file"));
}

void Model1WindowTest::missingFileIsAWarning()
{
    MainWindow window;
    const QList<BoxSeen> seen = closingBoxes([&] { window.newfile(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.at(0).icon, int(QMessageBox::Warning));
    QCOMPARE(seen.at(0).title, QStringLiteral("Error"));
    QCOMPARE(seen.at(0).text, QStringLiteral("Cannot open the selected file."));
    QCOMPARE(window.currentSettings().filePath, QStringLiteral("default16.ui"));
}

QTEST_MAIN(Model1WindowTest)
#include "test_model1_window.moc"
