// The notification-area module on the offscreen platform: the record it builds, the layer that
// shows it, and TrayWindowProc in front of the window's own event handling.
#include "linux/tray/mod_tray.h"
#include "linux/tray/notify_icon_data.h"
#include "linux/tray/tray_icon_host.h"
#include "linux/tray/window_handles.h"
#include "linux/tray/window_proc_hook.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <cstring>

using namespace tarvex;
using namespace tarvex::win32_over_qt;

namespace {

// A window that records every event its own handling receives.
class RecordingWindow : public QWidget
{
public:
    QList<QEvent::Type> received;

protected:
    bool event(QEvent *event) override
    {
        received.append(event->type());
        return QWidget::event(event);
    }
};

QByteArray textMember(const QByteArray &cp936, int size)
{
    return (cp936 + '\0').leftJustified(size, ' ');
}

// The messages a procedure put in front of TrayWindowProc sees.
QList<UINT> g_seenMessages;
QList<LPARAM> g_seenParameters;
WNDPROC g_behindSpy = nullptr;

LRESULT spyProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg < kQtEventMessage) {
        g_seenMessages.append(uMsg);
        g_seenParameters.append(lParam);
    }
    return CallWindowProcA(g_behindSpy, hWnd, uMsg, wParam, lParam);
}

LRESULT swallowingProc(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

const QString kTip = QStringLiteral("移动显示");
const QString kTitle = QStringLiteral("Tarvex 1.0版");
const QString kText = QStringLiteral("Olmira作品: 欢迎大家使用！");

} // namespace

class ModTrayTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void recordHoldsTheStartUpValuesByteByByte();
    void longTextsAreCutAtACharacterBoundary_data();
    void longTextsAreCutAtACharacterBoundary();
    void iconShowsTheRecordsIconToolTipAndBalloon();
    void leftRelease_data();
    void leftRelease();
    void doubleClickTogglesTwiceAndRightClickNothing();
    void iconHasItsMenu();
    void showItemBringsTheWindowBack_data();
    void showItemBringsTheWindowBack();
    void everyEventReachesTheWindowsOwnHandlingUnchanged();
    void aProcedureThatDoesNotPassOnKeepsTheEventFromTheWindow();
    void iconIsRemovedWhenTheProgramEnds();
    void exitItemEndsTheProgramAndRemovesTheIcon();

private:
    void deliver(LPARAM mouseMessage) const;

    std::unique_ptr<RecordingWindow> m_window;
};

void ModTrayTest::init()
{
    m_window = std::make_unique<RecordingWindow>();
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::blue);
    m_window->setWindowIcon(QIcon(pixmap));
    modTray::AddTrayIcon(m_window.get(), kTip.toStdU16String(), kTitle.toStdU16String(),
                         kText.toStdU16String(), 2);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    g_seenMessages.clear();
    g_seenParameters.clear();
}

void ModTrayTest::cleanup()
{
    m_window.reset();
}

void ModTrayTest::deliver(LPARAM mouseMessage) const
{
    PostMessageA(modTray::trayIconData.hWnd, modTray::kTrayCallbackMessage, modTray::kTrayIconId,
                 mouseMessage);
    QCoreApplication::sendPostedEvents();
}

void ModTrayTest::recordHoldsTheStartUpValuesByteByByte()
{
    const NOTIFYICONDATAA &record = modTray::trayIconData;
    QByteArray expected;
    const auto dword = [&expected](quint32 value) {
        for (int i = 0; i < 4; ++i)
            expected.append(char(value >> (8 * i) & 0xFF));
    };
    dword(488);
    dword(static_cast<quint32>(m_window->winId()));
    dword(1);
    dword(0x17);
    dword(2025);
    dword(record.hIcon);
    expected += textMember(QByteArray::fromHex("D2C6B6AFCFD4CABE"), 128);
    dword(0);
    dword(0);
    expected += textMember(
        QByteArray::fromHex("4F6C6D697261D7F7C6B73A20BBB6D3ADB4F3BCD2CAB9D3C3A3A1"), 256);
    dword(10000);
    expected += textMember(QByteArray::fromHex("54617276657820312E30B0E6"), 64);
    dword(2);

    const QByteArray actual(reinterpret_cast<const char *>(&record), sizeof record);
    QCOMPARE(actual.size(), 488);
    QCOMPARE(actual.toHex(), expected.toHex());
    QCOMPARE(iconFromHandle(record.hIcon).cacheKey(), m_window->windowIcon().cacheKey());
    QCOMPARE(modTray::trayForm.data(), m_window.get());
}

void ModTrayTest::longTextsAreCutAtACharacterBoundary_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray zhong = QByteArray::fromHex("D6D0");
    QTest::newRow("127 bytes fit a tip") << QString(127, 'a') << 128 << QByteArray(127, 'a') + '\0';
    QTest::newRow("128 bytes do not") << QString(128, 'a') << 128 << QByteArray(127, 'a') + '\0';
    QTest::newRow("a two-byte character is not split")
        << QString(64, QChar(u'中')) << 128 << zhong.repeated(63) + '\0' + ' ';
    QTest::newRow("odd start leaves room for one more")
        << "a" + QString(64, QChar(u'中')) << 128 << "a" + zhong.repeated(63) + '\0';
    QTest::newRow("title of 40 Chinese characters")
        << QString(40, QChar(u'中')) << 64 << zhong.repeated(31) + '\0' + ' ';
    QTest::newRow("empty") << QString() << 64 << textMember({}, 64);
    QTest::newRow("unencodable becomes a question mark")
        << QStringLiteral("한") << 64 << textMember("?", 64);
}

void ModTrayTest::longTextsAreCutAtACharacterBoundary()
{
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(QByteArray, expected);
    std::vector<char> member(static_cast<std::size_t>(size), 'x');
    setRecordText(member, text.toStdU16String());
    QCOMPARE(QByteArray(member.data(), size).toHex(), expected.toHex());
}

void ModTrayTest::iconShowsTheRecordsIconToolTipAndBalloon()
{
    auto *icon = m_window->findChild<QSystemTrayIcon *>();
    QVERIFY(icon != nullptr);
    QCOMPARE(icon->toolTip(), kTip);
    QCOMPARE(icon->icon().cacheKey(), m_window->windowIcon().cacheKey());

    const auto balloon = balloonOf(modTray::trayIconData);
    QVERIFY(balloon.has_value());
    QCOMPARE(balloon->title, kTitle);
    QCOMPARE(balloon->text, kText);
    QCOMPARE(balloon->icon, QSystemTrayIcon::Warning);
    QCOMPARE(balloon->milliseconds, 10000);
}

void ModTrayTest::leftRelease_data()
{
    QTest::addColumn<int>("stateBefore");
    QTest::addColumn<bool>("hiddenBefore");
    QTest::addColumn<int>("mouseMessage");
    QTest::addColumn<bool>("hiddenAfter");
    QTest::addColumn<int>("stateAfter");

    const int normal = Qt::WindowNoState;
    const int minimised = Qt::WindowMinimized;
    const int maximised = Qt::WindowMaximized;
    QTest::newRow("left release hides a normal window")
        << normal << false << int(WM_LBUTTONUP) << true << normal;
    QTest::newRow("left release hides a maximised window")
        << maximised << false << int(WM_LBUTTONUP) << true << maximised;
    QTest::newRow("left release restores a hidden window at normal size")
        << maximised << true << int(WM_LBUTTONUP) << false << normal;
    QTest::newRow("left release restores a window minimised by its title bar")
        << minimised << false << int(WM_LBUTTONUP) << false << normal;
    for (const auto &[name, message] :
         {std::pair{"right release", WM_RBUTTONUP}, std::pair{"move", WM_MOUSEMOVE},
          std::pair{"left press", WM_LBUTTONDOWN}, std::pair{"double-click", WM_LBUTTONDBLCLK},
          std::pair{"middle release", WM_MBUTTONUP}}) {
        QTest::addRow("%s changes nothing when shown", name)
            << normal << false << int(message) << false << normal;
        QTest::addRow("%s changes nothing when hidden", name)
            << normal << true << int(message) << true << normal;
    }
}

void ModTrayTest::leftRelease()
{
    QFETCH(int, stateBefore);
    QFETCH(bool, hiddenBefore);
    QFETCH(int, mouseMessage);
    QFETCH(bool, hiddenAfter);
    QFETCH(int, stateAfter);

    m_window->setWindowState(Qt::WindowStates(stateBefore));
    if (hiddenBefore)
        m_window->hide();
    deliver(mouseMessage);
    QCOMPARE(m_window->isHidden(), hiddenAfter);
    QCOMPARE(int(m_window->windowState() & ~Qt::WindowActive), stateAfter);
}

void ModTrayTest::doubleClickTogglesTwiceAndRightClickNothing()
{
    g_behindSpy = SetWindowLongA(modTray::trayIconData.hWnd, GWL_WNDPROC, spyProc);
    auto *icon = m_window->findChild<QSystemTrayIcon *>();
    // What Qt reports for a double-click: a click on the first press, then the double-click.
    emit icon->activated(QSystemTrayIcon::Trigger);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    emit icon->activated(QSystemTrayIcon::Context);
    QCoreApplication::sendPostedEvents();

    QCOMPARE(g_seenMessages, (QList<UINT>{2025, 2025, 2025, 2025}));
    QCOMPARE(g_seenParameters,
             (QList<LPARAM>{WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONUP}));
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->windowState() & ~Qt::WindowActive, Qt::WindowNoState);
}

void ModTrayTest::iconHasItsMenu()
{
    QVERIFY(!modTray::mnuTray.isNull());
    QCOMPARE(m_window->findChild<QSystemTrayIcon *>()->contextMenu(), modTray::mnuTray.data());
    QStringList items;
    for (const QAction *action : modTray::mnuTray->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{"显示", "退出"}));
    QCOMPARE(modTray::mnuTray->defaultAction(), modTray::mnuShow.data());
}

void ModTrayTest::showItemBringsTheWindowBack_data()
{
    QTest::addColumn<int>("stateBefore");
    QTest::addColumn<bool>("hiddenBefore");
    QTest::newRow("shown at normal size") << int(Qt::WindowNoState) << false;
    QTest::newRow("hidden by the icon") << int(Qt::WindowNoState) << true;
    QTest::newRow("minimised by its title bar") << int(Qt::WindowMinimized) << false;
    QTest::newRow("maximised") << int(Qt::WindowMaximized) << false;
    QTest::newRow("hidden while maximised") << int(Qt::WindowMaximized) << true;
}

void ModTrayTest::showItemBringsTheWindowBack()
{
    QFETCH(int, stateBefore);
    QFETCH(bool, hiddenBefore);
    m_window->setWindowState(Qt::WindowStates(stateBefore));
    if (hiddenBefore)
        m_window->hide();
    modTray::mnuShow->trigger();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->windowState() & ~Qt::WindowActive, Qt::WindowNoState);
}

void ModTrayTest::everyEventReachesTheWindowsOwnHandlingUnchanged()
{
    g_behindSpy = SetWindowLongA(modTray::trayIconData.hWnd, GWL_WNDPROC, spyProc);
    QVERIFY(g_behindSpy == &modTray::TrayWindowProc);
    m_window->received.clear();

    QEvent custom(QEvent::Type(QEvent::User + 7));
    QApplication::sendEvent(m_window.get(), &custom);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(m_window.get(), &key);
    deliver(WM_RBUTTONUP);
    m_window->resize(300, 200);

    // The icon's message reaches the window too, as the event it was posted as (a type of the
    // program's own, above the custom one here).
    QList<QEvent::Type> sent;
    for (QEvent::Type type : m_window->received)
        if (type >= QEvent::User + 7 || type == QEvent::KeyPress || type == QEvent::Resize)
            sent.append(type);
    QCOMPARE(sent.size(), 4);
    QCOMPARE(sent.mid(0, 2),
             (QList<QEvent::Type>{QEvent::Type(QEvent::User + 7), QEvent::KeyPress}));
    QVERIFY(sent.at(2) > QEvent::User + 7);
    QCOMPARE(sent.at(3), QEvent::Resize);
    QCOMPARE(g_seenMessages, QList<UINT>{2025});
    QCOMPARE(g_seenParameters, QList<LPARAM>{WM_RBUTTONUP});
}

void ModTrayTest::aProcedureThatDoesNotPassOnKeepsTheEventFromTheWindow()
{
    const WNDPROC previous =
        SetWindowLongA(modTray::trayIconData.hWnd, GWL_WNDPROC, swallowingProc);
    m_window->received.clear();
    QEvent custom(QEvent::Type(QEvent::User + 7));
    QApplication::sendEvent(m_window.get(), &custom);
    QVERIFY(m_window->received.isEmpty());
    SetWindowLongA(modTray::trayIconData.hWnd, GWL_WNDPROC, previous);
    QApplication::sendEvent(m_window.get(), &custom);
    QCOMPARE(m_window->received, QList<QEvent::Type>{QEvent::Type(QEvent::User + 7)});
}

void ModTrayTest::iconIsRemovedWhenTheProgramEnds()
{
    QVERIFY(m_window->findChild<QSystemTrayIcon *>() != nullptr);
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });
    QTimer::singleShot(30000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(m_window->findChild<QSystemTrayIcon *>() == nullptr);
}

void ModTrayTest::exitItemEndsTheProgramAndRemovesTheIcon()
{
    m_window->hide();
    QTimer::singleShot(0, [] { modTray::mnuExit->trigger(); });
    QTimer::singleShot(30000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(m_window->findChild<QSystemTrayIcon *>() == nullptr);
}

QTEST_MAIN(ModTrayTest)
#include "mod_tray_test.moc"
