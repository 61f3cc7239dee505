#include "WindowTestSupport.h"
#include "core/windows/DesktopIdentity.h"

// The icon compiled into the program comes in every size that is installed for the desktop.
class TestDesktopIdentity : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWindowsShowTheProgramsIconInEverySize() {
        DesktopIdentity::apply();
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }

    // Qt appends a display name, once one is set, to every window title; the display name
    // follows the application's name only while none is set.
    void windowTitlesAreTheCaptionsAlone() {
        DesktopIdentity::apply();
        QCOMPARE(QCoreApplication::applicationName(), "Vellagon");
        QCoreApplication::setApplicationName("Probe");
        QCOMPARE(QGuiApplication::applicationDisplayName(), "Probe");
        QCoreApplication::setApplicationName("Vellagon");
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestDesktopIdentity)
#include "test_desktop_identity.moc"
