#include "TestSupport.h"

// Leaks on purpose, in a test slot as any test's code runs: the sanitizer build must report
// it, whatever the leak suppressions say about Qt.
class TestLeakProbe : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void leaksOneObject() {
        auto* leaked = new QObject;
        leaked->setObjectName(QStringLiteral("left behind on purpose"));
    }
};

VELLAGON_TEST_MAIN(TestLeakProbe)
#include "test_leak_probe.moc"
