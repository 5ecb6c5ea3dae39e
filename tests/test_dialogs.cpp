#include "about.h"
#include "linksettings.h"
#include "help.h"
#include "linksettings.h"
#include "modal.h"
#include "separators.h"
#include "setack.h"
#include "setcom.h"
#include "seriallink.h"
#include "setfix.h"
#include "setuc.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <pty.h>
#include <unistd.h>

namespace {

// A port map in a temporary config folder: every name the port dialog probes
// is mapped, free ones to pseudo-terminals, the rest to a missing path, so the
// machine's own serial devices never take part.
class PortMap
{
public:
    PortMap()
    {
        qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
        QDir(config.path()).mkpath(QStringLiteral("varlok/ports"));
        for (int n = 1; n <= 32; ++n)
            link(n, config.filePath(QStringLiteral("missing")));
    }

    ~PortMap()
    {
        for (int fd : leaders)
            ::close(fd);
    }

    bool isValid() const { return config.isValid(); }

    // Maps COMn to a new pseudo-terminal whose far end stays open.
    bool addPty(int n)
    {
        int leader = -1;
        int follower = -1;
        char name[256] = {};
        if (openpty(&leader, &follower, name, nullptr, nullptr) != 0)
            return false;
        ::close(follower);
        leaders.append(leader);
        return link(n, QString::fromLocal8Bit(name));
    }

private:
    bool link(int n, const QString &target)
    {
        const QString path = config.filePath(QStringLiteral("varlok/ports/COM%1").arg(n));
        QFile::remove(path);
        return QFile::link(target, path);
    }

    QTemporaryDir config;
    QList<int> leaders;
};

QPushButton *okButton(const QDialog &dialog)
{
    return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

QLineEdit *edit(const QDialog &dialog, const char *name)
{
    return dialog.findChild<QLineEdit *>(QLatin1String(name));
}

QStringList entries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

std::unique_ptr<QDialog> makeCharDialog(const QString &kind)
{
    if (kind == QLatin1String("setFix"))
        return std::make_unique<setFix>();
    if (kind == QLatin1String("setAck"))
        return std::make_unique<setAck>(nullptr, qint8('O'));
    if (kind == QLatin1String("setUC"))
        return std::make_unique<setUC>(nullptr, qint8('{'));
    return std::make_unique<separators>(nullptr, qint8('|'), qint8('|'));
}

} // namespace

class DialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { isolateSettings(); }

    void portProbeListsOpenablePorts();
    void portPreselection_data();
    void portPreselection();
    void portBaudPreselection_data();
    void portBaudPreselection();

    void charDialogOpensWithOk_data();
    void charDialogOpensWithOk();
    void charDialogOkFollowsEdits_data();
    void charDialogOkFollowsEdits();
    void charDialogsStoreTypedBytes();
    void firstByteOfText_data();
    void firstByteOfText();

    void helpText_data();
    void helpText();
    void helpMissingFile();
    void aboutLabels();

private:
    std::unique_ptr<PortMap> ports;
    serialLink holder;
};

void DialogsTest::initTestCase()
{
    ports = std::make_unique<PortMap>();
    QVERIFY(ports->isValid());
    for (int n : {2, 5, 7, 12, 32})
        QVERIFY(ports->addPty(n));
    // COM7 exists but is held, as by another program.
    QVERIFY(holder.open(QStringLiteral("COM7")));
}

void DialogsTest::portProbeListsOpenablePorts()
{
    const setcom dialog;
    const auto *portList = dialog.findChild<QComboBox *>(QStringLiteral("comboBox"));
    QCOMPARE(entries(portList), QStringList({"COM2", "COM5", "COM12"}));
    QCOMPARE(portList->currentText(), QStringLiteral("COM2"));

    const auto *bauds = dialog.findChild<QComboBox *>(QStringLiteral("baudrate"));
    QVERIFY(!bauds->isEnabled());
    QCOMPARE(bauds->count(), 14);
    // The probe leaves every port free again.
    serialLink link;
    QVERIFY(link.open(QStringLiteral("COM5")));
}

void DialogsTest::portPreselection_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("listed") << "COM5" << "COM5";
    QTest::newRow("two digits") << "COM12" << "COM12";
    QTest::newRow("absent: first listed") << "COM1" << "COM2";
    QTest::newRow("held: first listed") << "COM7" << "COM2";
}

void DialogsTest::portPreselection()
{
    QFETCH(QString, port);
    QFETCH(QString, chosen);
    linkSettings settings;
    settings.port = port;
    setcom dialog;
    dialog.setSettings(settings);
    QCOMPARE(dialog.settings().port, chosen);
}

void DialogsTest::portBaudPreselection_data()
{
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("chosen");
    QTest::newRow("default") << 1200 << 1200;
    QTest::newRow("listed") << 115200 << 115200;
    QTest::newRow("not listed: first") << 1201 << 150;
}

void DialogsTest::portBaudPreselection()
{
    QFETCH(int, baud);
    QFETCH(int, chosen);
    linkSettings settings;
    settings.port = QStringLiteral("COM12");
    settings.baud = baud;
    setcom dialog;
    dialog.setSettings(settings);
    const portChoice choice = dialog.settings();
    QCOMPARE(choice.port, QStringLiteral("COM12"));
    QCOMPARE(choice.baud, chosen);
}

void DialogsTest::charDialogOpensWithOk_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("editNames");
    QTest::addColumn<QString>("shown");
    QTest::newRow("setFix starts empty") << "setFix" << QStringList{"i_char"} << "";
    QTest::newRow("setAck") << "setAck" << QStringList{"i_char"} << "O";
    QTest::newRow("setUC") << "setUC" << QStringList{"i_char"} << "{";
    QTest::newRow("separators") << "separators" << QStringList{"c_ds", "c_us"} << "|";
}

void DialogsTest::charDialogOpensWithOk()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, editNames);
    QFETCH(QString, shown);
    const auto dialog = makeCharDialog(kind);
    QVERIFY(okButton(*dialog)->isEnabled());
    for (const QString &name : editNames) {
        auto *field = edit(*dialog, name.toLatin1().constData());
        QCOMPARE(field->text(), shown);
        QCOMPARE(field->maxLength(), 1);
        field->clear();
        QTest::keyClicks(field, QStringLiteral("ab"));
        QCOMPARE(field->text(), QStringLiteral("a"));
    }
}

void DialogsTest::charDialogOkFollowsEdits_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("editName");
    QTest::newRow("setFix") << "setFix" << "i_char";
    QTest::newRow("setAck") << "setAck" << "i_char";
    QTest::newRow("setUC") << "setUC" << "i_char";
    QTest::newRow("separators download") << "separators" << "c_ds";
    QTest::newRow("separators upload") << "separators" << "c_us";
}

void DialogsTest::charDialogOkFollowsEdits()
{
    QFETCH(QString, kind);
    QFETCH(QString, editName);
    const auto dialog = makeCharDialog(kind);
    auto *field = edit(*dialog, editName.toLatin1().constData());
    field->clear();
    QTest::keyClicks(field, QStringLiteral("x"));
    QVERIFY(okButton(*dialog)->isEnabled());
    QTest::keyClick(field, Qt::Key_Backspace);
    QVERIFY(!okButton(*dialog)->isEnabled());
    QTest::keyClicks(field, QStringLiteral("K"));
    QVERIFY(okButton(*dialog)->isEnabled());
}

void DialogsTest::charDialogsStoreTypedBytes()
{
    setFix fix;
    QCOMPARE(fix.character(), qint8(0));
    QTest::keyClicks(edit(fix, "i_char"), QStringLiteral("5"));
    QCOMPARE(fix.character(), qint8('5'));

    setAck ack(nullptr, 'O');
    QCOMPARE(ack.character(), qint8('O'));
    edit(ack, "i_char")->clear();
    QTest::keyClicks(edit(ack, "i_char"), QStringLiteral("K"));
    QCOMPARE(ack.character(), qint8('K'));

    // A byte above 127 goes in and out as its Latin-1 character.
    setUC uc(nullptr, qint8(0xA4));
    QCOMPARE(edit(uc, "i_char")->text(), QStringLiteral("\u00A4"));
    QCOMPARE(uc.character(), qint8(0xA4));

    separators seps(nullptr, '|', '|');
    edit(seps, "c_ds")->clear();
    QTest::keyClicks(edit(seps, "c_ds"), QStringLiteral(";"));
    edit(seps, "c_us")->clear();
    QTest::keyClicks(edit(seps, "c_us"), QStringLiteral(","));
    QCOMPARE(seps.downloadSeparator(), qint8(';'));
    QCOMPARE(seps.uploadSeparator(), qint8(','));
}

void DialogsTest::firstByteOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("byte");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("ascii") << "#" << int('#');
    QTest::newRow("latin-1 is signed") << "\u00E9" << -23;
    QTest::newRow("outside latin-1") << "\u0151" << int('?');
}

void DialogsTest::firstByteOfText()
{
    QFETCH(QString, text);
    QFETCH(int, byte);
    QCOMPARE(int(firstByteOf(text)), byte);
}

void DialogsTest::helpText_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("shown");
    QTest::newRow("stops after ---") << QByteArray("one\ntwo\n---\nfour\n") << "one\ntwo\n---\n";
    QTest::newRow("--- first") << QByteArray("---\nrest\n") << "---\n";
    QTest::newRow("--- with a space") << QByteArray("one\n--- \nthree") << "one\n--- \nthree\n";
    QTest::newRow("empty file") << QByteArray() << "\n";
    QTest::newRow("no --- line") << QByteArray("a\nb\n") << "a\nb\n";
    QTest::newRow("CR LF lines") << QByteArray("a\r\n---\r\nb\r\n") << "a\n---\n";
    QTest::newRow("windows-1250") << QByteArray("T\xFBz \xE9s v\xEDz\n") << "T\u0171z \u00E9s v\u00EDz\n";
}

void DialogsTest::helpText()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("help.hlp")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();

    const help dialog(file.fileName(), QStringLiteral("no help"));
    const auto *view = dialog.findChild<QPlainTextEdit *>();
    QCOMPARE(view->toPlainText(), shown);
    QVERIFY(view->isReadOnly());
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Help"));
    QCOMPARE(dialog.minimumSize(), QSize(880, 680));
    QCOMPARE(dialog.maximumSize(), QSize(880, 680));
}

void DialogsTest::helpMissingFile()
{
    QTemporaryDir dir;
    const QString error = QStringLiteral("ERROR: Canot open the help file.");
    const help dialog(dir.filePath(QStringLiteral("pelk_310.hlp")), error);
    const auto *view = dialog.findChild<QPlainTextEdit *>();
    QCOMPARE(view->toPlainText(), error);
    QVERIFY(view->isReadOnly());
    QCOMPARE(view->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

void DialogsTest::aboutLabels()
{
    const about dialog(QStringLiteral("link text"), QStringLiteral("about text"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_comp"))->text(),
             QStringLiteral("link text"));
    const auto *contact = dialog.findChild<QLabel *>(QStringLiteral("label_wby"));
    QCOMPARE(contact->text(), QStringLiteral("about text"));
    QVERIFY(contact->openExternalLinks());
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_6"))->text(),
             QStringLiteral("Version v2.2"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About"));

    const about empty{QString(), QString()};
    QVERIFY(empty.findChild<QLabel *>(QStringLiteral("label_comp"))->text().isEmpty());
    QVERIFY(empty.findChild<QLabel *>(QStringLiteral("label_wby"))->text().isEmpty());
}

QTEST_MAIN(DialogsTest)
#include "test_dialogs.moc"
