#include "editorfiles.h"
#include "mainwindow.h"
#include "modal.h"
#include "pasting.h"
#include "recordsamples.h"
#include "windowform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 51 lines for the form, then the given extra lines, CR LF ended, windows-1250.
QByteArray fileBytes(const QStringList &form, const QStringList &extra = {})
{
    return editorFiles::bytes(form + extra, editorFiles::saving::program);
}

QStringList sampleForm(const QString &smsCentre = QStringLiteral("36209300099"))
{
    QStringList lines{smsCentre};
    for (int i = 1; i < 35; ++i)
        lines.append(QStringLiteral("f%1").arg(i));
    for (int i = 0; i < 16; ++i)
        lines.append(i % 3 == 0 ? QStringLiteral("1") : QStringLiteral("0"));
    return lines;
}

// A filled form's 51 lines, each field within its length, the SMS centre a preset's.
QStringList filledFormLines()
{
    const formValues form = recordSamples::filledForm();
    QStringList lines = form.texts;
    lines[0] = QStringLiteral("36209300099");
    for (bool flag : form.flags)
        lines.append(flag ? QStringLiteral("1") : QStringLiteral("0"));
    return lines;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QLabel *statusLabel(const MainWindow &window, int index)
{
    return window.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly).value(index);
}

} // namespace

class WindowFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveThenOpenGivesTheSameForm();
    void openShowsBoxAndSelectsPreset();
    void openMissingOrShortFileChangesNothing();
    void filesFromOtherEditors_data();
    void filesFromOtherEditors();
    void savingKeepsRecordText();
    void failedSaveKeepsEverything_data();
    void failedSaveKeepsEverything();
    void defaultsFileFillsFormAndStatusBar();
    void missingDefaultsFileIsSilent();

private:
    std::unique_ptr<QTemporaryDir> temporary;
    QDir folder;
    QString startFolder;
};

void WindowFilesTest::init()
{
    isolateSettings();
    startFolder = QDir::currentPath();
    temporary = std::make_unique<QTemporaryDir>();
    folder = QDir(temporary->path());
    QVERIFY(QDir::setCurrent(folder.path()));
}

void WindowFilesTest::cleanup()
{
    QDir::setCurrent(startFolder);
}

void WindowFilesTest::saveThenOpenGivesTheSameForm()
{
    MainWindow window;
    const QList<QLineEdit *> fields = windowForm::edits(window);
    for (int i = 1; i < fields.size(); ++i)
        fields[i]->setText(QStringLiteral("v%1 ő").arg(i));
    for (int i = 0; i < 16; ++i)
        windowForm::boxes(window)[i]->setChecked(i % 2 == 1);
    // A cell copied with its line end, and a text with a line break inside.
    pasteOver(window.findChild<QLineEdit *>("m_nev"), QStringLiteral("Kazan2\r\n"));
    pasteOver(window.findChild<QLineEdit *>("rele1_on"), QStringLiteral("R1\nBE"));
    QCOMPARE(window.findChild<QLineEdit *>("m_nev")->text(), QStringLiteral("Kazan2"));
    QCOMPARE(window.findChild<QLineEdit *>("rele1_on")->text(), QStringLiteral("R1BE"));
    const QString path = folder.absoluteFilePath(QStringLiteral("unit.vrk"));

    answerFileDialog(path);
    QList<BoxSeen> seen = closingBoxes([&] { window.save(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Save"));
    QCOMPARE(seen[0].text, QStringLiteral("Save was successful."));
    QCOMPARE(statusLabel(window, 0)->text(), QStringLiteral("unit.vrk"));
    QCOMPARE(window.currentSettings().filePath, path);

    MainWindow reopened;
    answerFileDialog(path);
    seen = closingBoxes([&] { reopened.openfile(); });
    QCOMPARE(seen.value(0).text, QStringLiteral("unit.vrk successfully loaded."));
    for (int i = 0; i < fields.size(); ++i)
        QCOMPARE(windowForm::edits(reopened)[i]->text(), fields[i]->text());
    for (int i = 0; i < 16; ++i)
        QCOMPARE(windowForm::boxes(reopened)[i]->isChecked(), i % 2 == 1);
}

void WindowFilesTest::openShowsBoxAndSelectsPreset()
{
    const QString telenor = folder.absoluteFilePath(QStringLiteral("telenor.a.vrk"));
    writeFile(telenor, fileBytes(sampleForm()));
    const QString custom = folder.absoluteFilePath(QStringLiteral("custom"));
    writeFile(custom, fileBytes(sampleForm(QStringLiteral("3630 111"))));

    MainWindow window;
    window.currentSettings().frameText = QStringLiteral("old|");
    auto *combo = window.findChild<QComboBox *>("smskp_combo");
    auto *smskp = window.findChild<QLineEdit *>("smskp");
    answerFileDialog(telenor);
    QList<BoxSeen> seen = closingBoxes([&] { window.openfile(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("File opened."));
    QCOMPARE(seen[0].text, QStringLiteral("telenor.a.vrk successfully loaded."));
    QCOMPARE(combo->currentText(), QStringLiteral("Telenor"));
    QVERIFY(!smskp->isEnabled());
    QCOMPARE(window.currentSettings().frameText, QString());
    QVERIFY(windowForm::boxes(window)[0]->isChecked());
    QVERIFY(!windowForm::boxes(window)[1]->isChecked());

    answerFileDialog(custom);
    seen = closingBoxes([&] { window.openfile(); });
    QCOMPARE(seen.value(0).text, QStringLiteral("custom. successfully loaded."));
    QCOMPARE(statusLabel(window, 0)->text(), QStringLiteral("custom."));
    QCOMPARE(combo->currentText(), QStringLiteral("Egyéni"));
    QVERIFY(smskp->isEnabled());
    QCOMPARE(smskp->text(), QStringLiteral("3630 111"));
}

void WindowFilesTest::openMissingOrShortFileChangesNothing()
{
    MainWindow window;
    const QString shortFile = folder.absoluteFilePath(QStringLiteral("short.vrk"));
    QStringList fifty = sampleForm();
    fifty.removeLast();
    writeFile(shortFile, fileBytes(fifty));

    answerFileDialog(shortFile);
    QList<BoxSeen> seen = closingBoxes([&] { window.openfile(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Critical));
    QCOMPARE(seen[0].title, QStringLiteral("File error."));
    QCOMPARE(seen[0].text, QStringLiteral("Cannot open the file. \nTip: Check the file."));
    QCOMPARE(windowForm::edits(window)[1]->text(), QString());
    QCOMPARE(statusLabel(window, 0)->text(), QStringLiteral("No file"));

    window.currentSettings().filePath = folder.absoluteFilePath(QStringLiteral("gone.vrk"));
    seen = closingBoxes([&] { window.loadfile(false); });
    QCOMPARE(seen.value(0).title, QStringLiteral("File hiba"));
    QCOMPARE(seen.value(0).text, QStringLiteral("A kiválasztott fájl nem létezik."));

    answerFileDialog(QString());
    seen = closingBoxes([&] { window.openfile(); });
    QVERIFY(seen.isEmpty());
}

void WindowFilesTest::filesFromOtherEditors_data()
{
    editorFiles::addOpeningRows();
}

void WindowFilesTest::filesFromOtherEditors()
{
    QFETCH(editorFiles::saving, how);
    QFETCH(QString, field);
    QFETCH(QString, inFile);
    QFETCH(QString, shown);
    MainWindow window;
    auto *edit = window.findChild<QLineEdit *>(field);
    QStringList lines = filledFormLines();
    const qsizetype index = windowForm::edits(window).indexOf(edit);
    lines[index] = inFile;
    const QString path = folder.absoluteFilePath(QStringLiteral("other.vrk"));
    writeFile(path, editorFiles::bytes(lines, how));

    const QString before = edit->text();
    answerFileDialog(path);
    const QString box = closingBoxes([&] { window.openfile(); }).value(0).text;
    if (shown.isEmpty()) {
        QCOMPARE(box, QStringLiteral("Cannot open the file. \nTip: Check the file."));
        QCOMPARE(edit->text(), before);
        return;
    }
    QCOMPARE(box, QStringLiteral("other.vrk successfully loaded."));
    QCOMPARE(edit->text(), shown);
    QCOMPARE(window.findChild<QLineEdit *>("smskp")->text(), lines.first());
    QCOMPARE(window.findChild<QComboBox *>("smskp_combo")->currentText(), QStringLiteral("Telenor"));

    // Saved back, every field and tick as the program writes them.
    const QString saved = folder.absoluteFilePath(QStringLiteral("saved.vrk"));
    answerFileDialog(saved);
    QCOMPARE(closingBoxes([&] { window.save(); }).value(0).text, QStringLiteral("Save was successful."));
    lines[index] = shown;
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), editorFiles::bytes(lines, editorFiles::saving::program));
}

void WindowFilesTest::savingKeepsRecordText()
{
    MainWindow window;
    window.currentSettings().frameText = QStringLiteral("a|b|");
    answerFileDialog(folder.absoluteFilePath(QStringLiteral("keep.vrk")));
    closingBoxes([&] { window.save(); });
    QCOMPARE(window.currentSettings().frameText, QStringLiteral("a|b|"));
}

void WindowFilesTest::failedSaveKeepsEverything_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("oldFile"); // a file of that name was there before
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason"); // how the box's reason starts

    QTest::newRow("folder missing") << "missing/folder/unit.vrk" << false << "rele1_on" << "R1" << "";
    // The file's end line: the file could never be opened again.
    QTest::newRow("a field reads ---")
        << "kept.vrk" << true << "rele1_on" << "---"
        << "The field \"1-es relé bekapcsolási parancs:\" holds only \"---\", the mark that ends a parameter file "
           "(its line 9): the file could not be opened again. Change the field and save again.";
    QTest::newRow("the first field reads ---") << "new.vrk" << false << "smskp" << "---"
                                               << "The field \"SMS központ:\" holds only \"---\", the mark that ends "
                                                  "a parameter file (its line 1)";
    QTest::newRow("the last field reads ---") << "kept.vrk" << true << "riaszto_stop" << "---"
                                              << "The field \"Riasztás leállítása:\" holds only \"---\", the mark "
                                                 "that ends a parameter file (its line 35)";
    // The file's code page lacks the letter: the file could not give it back.
    QTest::newRow("a letter the file lacks")
        << "kept.vrk" << true << "riaszto_stop" << "Peña"
        << "The field \"Riasztás leállítása:\" holds the letter \"ñ\" (U+00F1), which a parameter file cannot hold. "
           "Change the field and save again.";
    QTest::newRow("a phone field without a label") << "new.vrk" << false << "t8" << "06\U0001F600"
                                                   << "The field \"Telefonszám 8\" holds the letter \"\U0001F600\"";
    QTest::newRow("a letter the file lacks in the first field") << "new.vrk" << false << "smskp" << "ñ"
                                                                << "The field \"SMS központ:\" holds the letter \"ñ\"";
    // Line breaks put in directly, as an input method can, not through the paste filter.
    QTest::newRow("LF inside")
        << "kept.vrk" << true << "m_nev" << "Gate\nNorth"
        << "The field \"Készülék neve:\" holds a line break, which would split its line of the file: the file would "
           "not give the form back. Remove it and save again.";
    QTest::newRow("CR inside the first field") << "new.vrk" << false << "smskp" << "0630\r1"
                                               << "The field \"SMS központ:\" holds a line break";
    QTest::newRow("--, CR, -: reads as ---") << "kept.vrk" << true << "be1_nev" << "--\r-"
                                              << "The field \"1-es hőmérő neve:\" holds a line break";
    // The field's length limit keeps half of the emoji.
    QTest::newRow("half an emoji at the limit")
        << "kept.vrk" << true << "riaszto_stop" << "Riasztas vege 1\U0001F525"
        << "The field \"Riasztás leállítása:\" ends in half a letter, the rest cut off by the field's length, which "
           "a parameter file cannot hold. Change the field and save again.";
}

void WindowFilesTest::failedSaveKeepsEverything()
{
    QFETCH(QString, name);
    QFETCH(bool, oldFile);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    const QString path = folder.absoluteFilePath(name);
    const QByteArray old = fileBytes(sampleForm());
    if (oldFile)
        writeFile(path, old);
    MainWindow window;
    window.findChild<QLineEdit *>(field)->setText(text);
    answerFileDialog(path);
    const QList<BoxSeen> seen = closingBoxes([&] { window.save(); });
    QCOMPARE(seen.size(), oldFile ? 2 : 1); // the file dialog asks before it replaces a file
    QVERIFY2(seen.last().text.startsWith(QStringLiteral("The file could not be saved.\n") + reason),
             qPrintable(seen.last().text));
    QCOMPARE(seen.last().icon, int(QMessageBox::Critical));
    QCOMPARE(seen.last().title, QStringLiteral("Save"));
    QVERIFY(window.currentSettings().filePath.isEmpty());
    QCOMPARE(statusLabel(window, 0)->text(), QStringLiteral("No file"));
    QFile file(path);
    QCOMPARE(file.exists(), oldFile);
    if (oldFile) { // written over by nothing
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
    }
}

void WindowFilesTest::defaultsFileFillsFormAndStatusBar()
{
    writeFile(QStringLiteral("varlok_default.dll"),
              fileBytes(sampleForm(), {QStringLiteral("<a href=\"mailto:x@y.example\">link</a>"),
                                       QStringLiteral("about"),
                                       QStringLiteral(":/img/img/varlok-2-softwin.png")}));
    MainWindow window;
    const QList<BoxSeen> seen = closingBoxes([&] {
        QTRY_COMPARE_WITH_TIMEOUT(statusLabel(window, 0)->text(), QStringLiteral("varlok_default.dll"), 5000);
    });
    QVERIFY(seen.isEmpty());
    QCOMPARE(windowForm::edits(window)[1]->text(), QStringLiteral("f1"));
    QCOMPARE(window.currentSettings().aboutText, QStringLiteral("about"));
    QLabel *link = statusLabel(window, 2);
    QVERIFY(link);
    QVERIFY(link->openExternalLinks());
    QCOMPARE(link->text(), window.currentSettings().linkText);
    QVERIFY(!window.findChild<QLabel *>("image")->pixmap().isNull());
    QCOMPARE(window.findChild<QComboBox *>("smskp_combo")->currentText(), QStringLiteral("Telenor"));
}

void WindowFilesTest::missingDefaultsFileIsSilent()
{
    MainWindow window;
    const QList<BoxSeen> seen = closingBoxes([&] { window.newfile(); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(statusLabel(window, 0)->text(), QStringLiteral("No file"));
    QCOMPARE(window.currentSettings().fileName, QStringLiteral("varlok_default.dll"));
    QCOMPARE(window.statusBar()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly).size(), 2);
}

QTEST_MAIN(WindowFilesTest)
#include "test_window_files.moc"
