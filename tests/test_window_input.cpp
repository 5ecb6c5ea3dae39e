#include "mainwindow.h"
#include "modal.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>

namespace {

QLineEdit *field(const MainWindow &window, const char *name)
{
    return window.findChild<QLineEdit *>(name);
}

// The ways a text gets into a field besides typing.
enum class putting { pasteKey, menuPaste, drop };

void put(QLineEdit *edit, putting way, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    if (way == putting::pasteKey) {
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    } else if (way == putting::menuPaste) {
        QContextMenuEvent menuRequest(QContextMenuEvent::Mouse, QPoint(2, 2), edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &menuRequest);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY2(menu, "the field's menu never showed");
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("&Paste")))
                action->trigger();
        }
        menu->close();
    } else {
        QMimeData dragged;
        dragged.setText(text);
        const QPoint end(edit->width() - 1, 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter); // a drop goes where the drag entered
        QDropEvent drop(end, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
    }
}

} // namespace

Q_DECLARE_METATYPE(putting)

class WindowInputTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void leavingAFieldAddsTheSign();
    void leavingABadFieldShowsOneBox();
    void returnChecksToo();
    void firstBadFieldIsReported();
    void presetsFillTheSmsCentre();
    void lineBreaksStayOut_data();
    void lineBreaksStayOut();

private:
    void focusOn(QLineEdit *edit);
    std::unique_ptr<MainWindow> window;
};

void WindowInputTest::init()
{
    isolateSettings();
    window = std::make_unique<MainWindow>();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
}

void WindowInputTest::cleanup()
{
    window.reset();
}

void WindowInputTest::focusOn(QLineEdit *edit)
{
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
}

void WindowInputTest::leavingAFieldAddsTheSign()
{
    focusOn(field(*window, "h1_low"));
    QTest::keyClicks(field(*window, "h1_low"), QStringLiteral("25"));
    const QList<BoxSeen> seen = closingBoxes([&] { focusOn(field(*window, "h1_high")); });
    QVERIFY(seen.isEmpty());
    QCOMPARE(field(*window, "h1_low")->text(), QStringLiteral("+25"));
}

void WindowInputTest::leavingABadFieldShowsOneBox()
{
    QLineEdit *hysteresis = field(*window, "h1_hist");
    focusOn(hysteresis);
    QTest::keyClicks(hysteresis, QStringLiteral("1"));
    const QList<BoxSeen> seen = closingBoxes([&] { field(*window, "h2_low")->setFocus(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, int(QMessageBox::Warning));
    QCOMPARE(seen[0].title, QStringLiteral("Error"));
    QCOMPARE(seen[0].text, QStringLiteral("Value is between 2 and 19 °C"));
    QCOMPARE(hysteresis->text(), QString());
    QCOMPARE(window->focusWidget(), hysteresis);
}

void WindowInputTest::returnChecksToo()
{
    QLineEdit *pin = field(*window, "m_pin");
    focusOn(pin);
    QTest::keyClicks(pin, QStringLiteral("12a"));
    const QList<BoxSeen> seen = closingBoxes([&] { QTest::keyClick(pin, Qt::Key_Return); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].title, QStringLiteral("Input error"));
    QCOMPARE(seen[0].text, QStringLiteral("Only numbers."));
    QCOMPARE(pin->text(), QString());
}

void WindowInputTest::firstBadFieldIsReported()
{
    focusOn(field(*window, "t1"));
    field(*window, "m_nev")->setText(QStringLiteral("Kés"));
    field(*window, "h2_high")->setText(QStringLiteral("130"));
    QList<BoxSeen> seen = closingBoxes([&] { field(*window, "t2")->setFocus(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Only numbers and characters. (7-bit ascii)\n"));
    QCOMPARE(field(*window, "m_nev")->text(), QString());
    QCOMPARE(field(*window, "h2_high")->text(), QStringLiteral("130"));

    // The box took the activation; give it back as the user's click would.
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    focusOn(field(*window, "m_nev"));
    field(*window, "m_nev")->setText(QStringLiteral("Name"));
    seen = closingBoxes([&] { field(*window, "t3")->setFocus(); });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Value is between -50 and +120 °C"));
    QCOMPARE(field(*window, "h2_high")->text(), QString());
}

void WindowInputTest::presetsFillTheSmsCentre()
{
    auto *combo = window->findChild<QComboBox *>("smskp_combo");
    QLineEdit *smskp = field(*window, "smskp");
    combo->setCurrentIndex(1);
    QCOMPARE(smskp->text(), QStringLiteral("36209300099"));
    QVERIFY(!smskp->isEnabled());
    combo->setCurrentIndex(3);
    QCOMPARE(smskp->text(), QStringLiteral("36209300099"));
    QVERIFY(smskp->isEnabled());
    QVERIFY(smskp->hasFocus());
    combo->setCurrentIndex(2);
    QCOMPARE(smskp->text(), QStringLiteral("36709996500"));
    QVERIFY(!smskp->isEnabled());
}

void WindowInputTest::lineBreaksStayOut_data()
{
    QTest::addColumn<putting>("way");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed"); // before the text is put in
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("cell with its line end") << putting::pasteKey << "t1" << "" << "06301234567\r\n" << "06301234567";
    QTest::newRow("break inside, after typing") << putting::pasteKey << "rele1_on" << "x" << "R1\nBE" << "xR1BE";
    QTest::newRow("the field's menu") << putting::menuPaste << "m_nev" << "" << "Kazan2\r\n" << "Kazan2";
    QTest::newRow("dropped") << putting::drop << "m_nev" << "" << "Kazan2\n" << "Kazan2";
    QTest::newRow("CR alone inside") << putting::pasteKey << "m_nev" << "" << "Q\rW" << "QW";
    QTest::newRow("length counted without the breaks") << putting::pasteKey << "visszaallas" << "" << "\r\n1" << "1";
    QTest::newRow("no break: the field's own paste") << putting::menuPaste << "m_nev" << "a" << "b c" << "ab c";
}

void WindowInputTest::lineBreaksStayOut()
{
    QFETCH(putting, way);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QLineEdit *edit = field(*window, name.toLatin1().constData());
    focusOn(edit);
    QTest::keyClicks(edit, typed);
    put(edit, way, text);
    QCOMPARE(edit->text(), shown);
    // Undo takes back what was put in, and only that.
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), typed);
}

QTEST_MAIN(WindowInputTest)
#include "test_window_input.moc"
