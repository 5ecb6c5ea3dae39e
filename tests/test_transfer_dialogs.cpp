#include "debugcapture.h"
#include "linksettings.h"
#include "recordsamples.h"
#include "seriallink.h"
#include "simunit.h"
#include "upload.h"
#include "verify.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace recordSamples;

namespace {

const QString uploadSuccess = QStringLiteral("Upload complete.");
const QString uploadFailure = QStringLiteral("Upload error.\nTip: check your device and port settings.");
const QString verifySuccess = QStringLiteral("Verifying was successful.");
const QString verifyFailure = QStringLiteral("Error while verifying.\nCheck your device.");
const transferTexts model1Upload{QStringLiteral("Sikeres kiolvasás."),
                                 QStringLiteral("Kiolvasás hiba.\nTipp: ellenőrizze az eszközt és a portbeállításokat.")};
// Each read waits this long: the end of every reply is a silence.
constexpr int readWaitMs = 300;
constexpr int rbIndex = 20;

// A parameter form: the model-2 line edits and check boxes, and with radio
// buttons the model-1 regulator edit "rb" and its buttons r2, r1, r0.
class testForm
{
public:
    explicit testForm(bool model1 = false)
    {
        const QStringList names = lineEditNames();
        for (int i = 0; i < names.size(); ++i)
            (new QLineEdit(&owner))->setObjectName(model1 && i == rbIndex ? QStringLiteral("rb") : names[i]);
        for (int i = 0; i < 16; ++i)
            new QCheckBox(&owner);
        if (model1) {
            for (const char *name : {"r2", "r1", "r0"})
                (new QRadioButton(&owner))->setObjectName(QLatin1String(name));
        }
    }

    QList<QLineEdit *> edits() const { return owner.findChildren<QLineEdit *>(); }

    void set(const formValues &values)
    {
        for (int i = 0; i < values.texts.size(); ++i)
            edits().at(i)->setText(values.texts.at(i));
        const QList<QCheckBox *> boxes = owner.findChildren<QCheckBox *>();
        for (int i = 0; i < values.flags.size(); ++i)
            boxes.at(i)->setChecked(values.flags.at(i));
    }

    formValues values() const
    {
        formValues values;
        for (const QLineEdit *edit : edits())
            values.texts << edit->text();
        for (const QCheckBox *box : owner.findChildren<QCheckBox *>())
            values.flags << box->isChecked();
        return values;
    }

    QWidget owner;
};

// A form that no read-out gives back.
formValues oldForm()
{
    formValues form;
    form.texts = QStringList(35, QStringLiteral("old"));
    form.flags = QList<bool>(16, true);
    return form;
}

QByteArray linesOf(const QStringList &fields)
{
    QByteArray lines;
    for (const QString &field : fields)
        lines += field.toLatin1() + "\r\n";
    return lines;
}

QStringList withField(QStringList fields, int index, const QString &text)
{
    fields[index] = text;
    return fields;
}

linkSettings unitSettings()
{
    linkSettings settings;
    settings.port = QStringLiteral("COM3");
    settings.timeout = readWaitMs;
    return settings;
}

// The read-out or the verify dialog on the form, with the English texts.
std::unique_ptr<QDialog> transferDialogOn(bool isUpload, testForm &form)
{
    if (isUpload)
        return std::make_unique<upload>(unitSettings(), &form.owner, nullptr);
    return std::make_unique<verify>(unitSettings(), &form.owner, nullptr);
}

QString message(const QDialog &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("msg"))->text();
}

QDialogButtonBox *buttons(const QDialog &dialog)
{
    return dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
}

int barValue(const QDialog &dialog)
{
    return dialog.findChild<QProgressBar *>(QStringLiteral("progressBar"))->value();
}

// Waits until the worker's outcome is on show.
bool completed(const QDialog &dialog)
{
    return QTest::qWaitFor(
        [&dialog] { return buttons(dialog)->standardButtons() == QDialogButtonBox::Ok; }, 10000);
}

} // namespace

class TransferDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void formsAsDrawn_data();
    void formsAsDrawn();
    void readout_data();
    void readout();
    void brokenReplyFails_data();
    void brokenReplyFails();
    void successAcceptsItself_data();
    void successAcceptsItself();
    void okAfterFailureAccepts_data();
    void okAfterFailureAccepts();
    void stopMidTransfer_data();
    void stopMidTransfer();
    void model1Bar_data();
    void model1Bar();
    void verifyOutcome_data();
    void verifyOutcome();
    void regulatorMode_data();
    void regulatorMode();
};

void TransferDialogsTest::formsAsDrawn_data()
{
    QTest::addColumn<bool>("isUpload");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("text");
    QTest::newRow("upload") << true << "Upload" << QSize(262, 118) << "Uploading...";
    QTest::newRow("verify") << false << "Verify" << QSize(263, 116) << "Verifying...";
}

void TransferDialogsTest::formsAsDrawn()
{
    QFETCH(bool, isUpload);
    QFETCH(QString, title);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setSilent(true);
    testForm form;
    form.set(filledForm());
    const std::unique_ptr<QDialog> dialog = transferDialogOn(isUpload, form);
    dialog->show();
    QVERIFY2(unit.waitForReceived(5, 5000), "the read-out command never came");

    QCOMPARE(dialog->objectName(), isUpload ? QStringLiteral("upload") : QStringLiteral("verify"));
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->size(), size);
    QCOMPARE(message(*dialog), text);
    QVERIFY(!dialog->findChild<QLabel *>(QStringLiteral("pic"))->pixmap().isNull());
    QVERIFY(buttons(*dialog)->isEnabled());
    QCOMPARE(buttons(*dialog)->standardButtons(), QDialogButtonBox::Cancel);
    QVERIFY(!dialog->close()); // the title-bar close is ignored
    QVERIFY(dialog->isVisible());
}

void TransferDialogsTest::readout_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<int>("check");
    QTest::addColumn<int>("chks");
    QTest::addColumn<QStringList>("diagnostics");
    QTest::addColumn<QStringList>("texts"); // empty: the form stays as it was

    const QStringList fields = recordFields();
    const QStringList form = filledForm().texts;
    const QStringList none;
    const QStringList unchanged;
    QTest::newRow("43 lines") << linesOf(fields) << 0 << 0 << none << form;
    QTest::newRow("empty field in mid-record")
        << linesOf(withField(fields, 5, "")) << 0 << 0 << none << withField(form, 5, "");
    QTest::newRow("empty stop word") << linesOf(withField(fields, 42, "")) << 0 << 0 << none
                                     << withField(form, stopWord, "");
    QTest::newRow("42 lines") << linesOf(fields.mid(0, 42)) << 0 << 0 << none
                              << withField(form, stopWord, "");
    QTest::newRow("0xFF read as a space")
        << linesOf(withField(fields, 3, QString::fromLatin1("Gar\xFF" "age\xFF\xFF"))) << 0 << 0 << none
        << withField(form, 3, "Gar age");
    // The record's fields sum to 19191: 7 of 8.
    QTest::newRow("checksum line") << linesOf(fields + QStringList{"7"}) << 1 << 0 << none << form;
    QTest::newRow("no answer") << QByteArray() << 0 << 0 << QStringList{"sep error"} << unchanged;
    QTest::newRow("checksum wrong") << linesOf(fields + QStringList{"6"}) << 1 << 0
                                    << QStringList{"chks error"} << unchanged;
    QTest::newRow("check character wrong") << linesOf(fields + QStringList{"Y"}) << 1 << int('X')
                                           << none << unchanged;
    QTest::newRow("41 lines") << linesOf(fields.mid(0, 41)) << 0 << 0
                              << QStringList{"db error, allinputs: 35 data: 41"} << unchanged;
    QTest::newRow("stray blank line") << linesOf(fields) + "\r\n" << 0 << 0
                                      << QStringList{"db error, allinputs: 35 data: 44"} << unchanged;
    QTest::newRow("stray blank line inside")
        << linesOf(fields.mid(0, 10) + QStringList{""} + fields.mid(10)) << 0 << 0
        << QStringList{"db error, allinputs: 35 data: 44"} << unchanged;
}

void TransferDialogsTest::readout()
{
    QFETCH(QByteArray, reply);
    QFETCH(int, check);
    QFETCH(int, chks);
    QFETCH(QStringList, diagnostics);
    QFETCH(QStringList, texts);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(reply);
    testForm form;
    form.set(oldForm());
    linkSettings settings = unitSettings();
    settings.check = check;
    settings.chks = qint8(chks);
    debugCapture log;

    upload dialog(settings, &form.owner, nullptr);
    QVERIFY2(completed(dialog), "the read-out never ended");

    const bool success = !texts.isEmpty();
    QCOMPARE(message(dialog), success ? uploadSuccess : uploadFailure);
    QCOMPARE(log.lines(), diagnostics);
    QCOMPARE(unit.received(), QByteArray("!Rd\r\n"));
    QCOMPARE(barValue(dialog), 42);
    QCOMPARE(form.values().texts, success ? texts : oldForm().texts);
    QCOMPARE(form.values().flags, success ? filledForm().flags : oldForm().flags);
}

void TransferDialogsTest::brokenReplyFails_data()
{
    QTest::addColumn<bool>("isUpload");
    QTest::addColumn<bool>("lineLost"); // the line goes after a complete reply; else the reply is cut
    QTest::newRow("upload, line lost") << true << true;
    QTest::newRow("verify, line lost") << false << true;
    QTest::newRow("upload cut inside its last line") << true << false;
    QTest::newRow("verify cut inside its last line") << false << false;
}

void TransferDialogsTest::brokenReplyFails()
{
    QFETCH(bool, isUpload);
    QFETCH(bool, lineLost);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setPaced(true);
    const QByteArray reply = linesOf(recordFields());
    unit.setReadoutReply(lineLost ? reply : reply.chopped(4)); // cut: "...\r\nST"
    if (lineLost)
        unit.setVanishAfter(int(reply.size()));
    testForm form;
    const formValues before = isUpload ? oldForm() : filledForm(); // verify: the unit's own record
    form.set(before);
    debugCapture debug;

    const std::unique_ptr<QDialog> dialog = transferDialogOn(isUpload, form);
    QVERIFY2(completed(*dialog), "the broken reply did not end the transfer");
    QCOMPARE(unit.hasVanished(), lineLost);
    QCOMPARE(message(*dialog), isUpload ? uploadFailure : verifyFailure);
    QCOMPARE(form.values().texts, before.texts);
    const QString diagnostic = lineLost ? QStringLiteral("comport lost: ")
                                        : QStringLiteral("reply cut: the unit fell silent inside a line");
    QVERIFY2(debug.lines().size() == 1 && debug.lines()[0].startsWith(diagnostic),
             qPrintable(debug.lines().join('\n')));
}

void TransferDialogsTest::successAcceptsItself_data()
{
    QTest::addColumn<bool>("isUpload");
    QTest::newRow("upload") << true;
    QTest::newRow("verify") << false;
}

void TransferDialogsTest::successAcceptsItself()
{
    QFETCH(bool, isUpload);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(linesOf(recordFields()));
    testForm form;
    form.set(filledForm());
    const std::unique_ptr<QDialog> dialog = transferDialogOn(isUpload, form);

    QSignalSpy accepted(dialog.get(), &QDialog::accepted);
    dialog->show();
    QVERIFY2(completed(*dialog), "the transfer never ended");
    QCOMPARE(accepted.count(), 0); // the outcome stays on show for a while
    QTRY_COMPARE_WITH_TIMEOUT(accepted.count(), 1, 5000);
    QCOMPARE(message(*dialog), isUpload ? uploadSuccess : verifySuccess);
}

void TransferDialogsTest::okAfterFailureAccepts_data()
{
    QTest::addColumn<int>("key"); // 0: a click on Ok
    QTest::newRow("click") << 0;
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TransferDialogsTest::okAfterFailureAccepts()
{
    QFETCH(int, key);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    testForm form;
    upload dialog(unitSettings(), &form.owner, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QVERIFY2(completed(dialog), "the read-out never ended");
    QCOMPARE(message(dialog), uploadFailure);
    if (key == 0)
        QTest::mouseClick(buttons(dialog)->button(QDialogButtonBox::Ok), Qt::LeftButton);
    else
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TransferDialogsTest::stopMidTransfer_data()
{
    QTest::addColumn<bool>("isUpload");
    QTest::addColumn<bool>("escape");
    QTest::newRow("upload, Cancel") << true << false;
    QTest::newRow("upload, Escape") << true << true;
    QTest::newRow("verify, Cancel") << false << false;
    QTest::newRow("verify, Escape") << false << true;
}

void TransferDialogsTest::stopMidTransfer()
{
    QFETCH(bool, isUpload);
    QFETCH(bool, escape);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setPaced(true); // the reply takes seconds at 1200 baud
    unit.setReadoutReply(linesOf(recordFields()));
    testForm form;
    form.set(oldForm());
    {
        const std::unique_ptr<QDialog> dialog = transferDialogOn(isUpload, form);
        dialog->show();
        QVERIFY2(QTest::qWaitFor([&] { return unit.sentCount() >= 30; }, 10000),
                 "the reply never started");
        if (escape)
            QTest::keyClick(dialog.get(), Qt::Key_Escape);
        else
            QTest::mouseClick(buttons(*dialog)->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QCoreApplication::processEvents(); // a late outcome must not show
        QCOMPARE(message(*dialog), isUpload ? QStringLiteral("Uploading...") : QStringLiteral("Verifying..."));
    } // the destructor waits for the worker, which gives the port back
    serialLink link;
    QVERIFY2(link.setUp(QStringLiteral("COM3"), 1000, 0), "the port was not given back");
    char byte = 0;
    QVERIFY2(link.readByte(byte), "the reply had ended before the stop took effect");
    QCOMPARE(form.values().texts, oldForm().texts);
}

void TransferDialogsTest::model1Bar_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bar");
    QTest::newRow("complete") << linesOf(recordFields()) << model1Upload.success << 42;
    QTest::newRow("41 lines") << linesOf(recordFields().mid(0, 41)) << model1Upload.failure << 41;
    QTest::newRow("no answer") << QByteArray() << model1Upload.failure << -1;
}

void TransferDialogsTest::model1Bar()
{
    QFETCH(QByteArray, reply);
    QFETCH(QString, text);
    QFETCH(int, bar);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(reply);
    testForm form(true);

    upload dialog(unitSettings(), &form.owner, nullptr, model1Upload, true);
    QVERIFY2(completed(dialog), "the read-out never ended");
    QCOMPARE(message(dialog), text);
    QCOMPARE(barValue(dialog), bar);
}

void TransferDialogsTest::verifyOutcome_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<bool>("sent");

    const QStringList fields = recordFields();
    const QByteArray reply = linesOf(fields);
    const QString separatorRefused = verifyFailure + "\nThe character | cannot be used in a field.";
    QTest::newRow("equal") << 3 << "Garage" << reply << verifySuccess << true;
    QTest::newRow("plus sign dropped") << h2Low << "+20" << linesOf(withField(fields, h2Low, "20"))
                                       << verifySuccess << true;
    QTest::newRow("one-blank phone") << firstPhone + 2 << " " << reply << verifySuccess << true;
    QTest::newRow("empty stop word") << stopWord << "" << linesOf(withField(fields, 42, ""))
                                     << verifySuccess << true;
    QTest::newRow("different") << 3 << "Garage" << linesOf(withField(fields, 3, "Shed")) << verifyFailure
                               << true;
    QTest::newRow("no answer") << 3 << "Garage" << QByteArray() << verifyFailure << true;
    QTest::newRow("stray blank line") << 3 << "Garage" << reply + "\r\n" << verifyFailure << true;
    QTest::newRow("empty required field") << 3 << "" << reply << verifyFailure << false;
    QTest::newRow("accented letter") << 3 << QString::fromUtf8("Garázs") << reply << verifyFailure << false;
    QTest::newRow("separator in a field") << 3 << "Gar|age" << reply << separatorRefused << false;
}

void TransferDialogsTest::verifyOutcome()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QByteArray, reply);
    QFETCH(QString, outcome);
    QFETCH(bool, sent);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(reply);
    testForm form;
    formValues values = filledForm();
    values.texts[field] = typed;
    form.set(values);
    debugCapture log;

    verify dialog(unitSettings(), &form.owner, nullptr);
    QVERIFY2(completed(dialog), "the verify never ended");

    QCOMPARE(message(dialog), outcome);
    QCOMPARE(unit.received(), sent ? QByteArray("!Rd\r\n") : QByteArray());
    QCOMPARE(form.values().texts, values.texts);
    const QStringList lines = log.lines();
    if (outcome == verifySuccess || !sent) {
        QCOMPARE(lines, QStringList());
    } else {
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines.at(0).startsWith(QStringLiteral("o: \"36309888000|")), qPrintable(lines.at(0)));
        QVERIFY2(lines.at(1).startsWith(QStringLiteral("r: \"")), qPrintable(lines.at(1)));
    }
}

void TransferDialogsTest::regulatorMode_data()
{
    QTest::addColumn<QString>("button"); // empty: none checked
    QTest::addColumn<QString>("rb");
    QTest::addColumn<QString>("returned");
    QTest::newRow("cooling") << "r2" << "-" << "-";
    QTest::newRow("heating: its plus sign comes back empty") << "r1" << "+" << "";
    QTest::newRow("off") << "r0" << "0" << "0";
    QTest::newRow("none checked: rb kept") << "" << "x" << "x";
}

void TransferDialogsTest::regulatorMode()
{
    QFETCH(QString, button);
    QFETCH(QString, rb);
    QFETCH(QString, returned);
    simUnit unit;
    QVERIFY(unit.mapAs(QStringLiteral("COM3")));
    unit.setReadoutReply(linesOf(withField(recordFields(), rbIndex, returned)));
    testForm form(true);
    form.set(filledForm());
    form.edits().at(rbIndex)->setText(QStringLiteral("x"));
    if (!button.isEmpty())
        form.owner.findChild<QRadioButton *>(button)->setChecked(true);

    verify dialog(unitSettings(), &form.owner, nullptr);
    QCOMPARE(form.edits().at(rbIndex)->text(), rb);
    QVERIFY2(completed(dialog), "the verify never ended");
    QCOMPARE(message(dialog), verifySuccess);
}

QTEST_MAIN(TransferDialogsTest)
#include "test_transfer_dialogs.moc"
