#include "TestSupport.h"
#include "core/DesktopIdentity.h"

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
};

VELLAGON_TEST_MAIN(TestDesktopIdentity)
#include "test_desktop_identity.moc"
