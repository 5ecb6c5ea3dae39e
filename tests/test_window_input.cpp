#include "mainwindow.h"
#include "modal.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace {

QLineEdit *field(const MainWindow &window, const char *name)
{
    return window.findChild<QLineEdit *>(name);
}

} // namespace

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

QTEST_MAIN(WindowInputTest)
#include "test_window_input.moc"
