#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/windows/frmAboutwtimer.h"
#include "core/windows/frmMain.h"

#include <QLabel>
#include <QTimer>

namespace {

// The number (1 to 6) of the picture the box shows, 0 for none of them.
int shownImage(const frmAboutwtimer& about) {
    const qint64 shown = about.Image1->pixmap().cacheKey();
    for (int i = 0; i < about.ImageList1.size(); ++i)
        if (about.ImageList1.at(i).cacheKey() == shown)
            return i + 1;
    return 0;
}

} // namespace

class TestAboutBox : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theAnimationRunsThroughSixPicturesOfItsOwn() {
        TestSupport::freshProgram();
        frmMain* main = TestSupport::showMainWindow();
        for (int opening = 0; opening < 2; ++opening) {
            frmAboutwtimer::showModeless();
            frmAboutwtimer* about = frmAboutwtimer::loaded();
            QCOMPARE(about->windowTitle(), "     About Vellagon, Version 1.050825");
            QVERIFY(about->Timer1->isActive() && about->Timer1->interval() == 130);
            QCOMPARE(shownImage(*about), 1);
            QList<int> shown;
            for (int tick = 0; tick < 8; ++tick) {
                // Another window splitting a name meanwhile changes nothing here.
                gintScratch = 7 + tick;
                about->Timer1_Timer();
                shown << shownImage(*about);
            }
            QCOMPARE(shown, QList<int>({1, 2, 3, 4, 5, 6, 1, 2}));
            QCOMPARE(gintScratch, 14);
            about->close();
            QVERIFY(!frmAboutwtimer::loaded());
        }
        TestSupport::closeMainWindow(main);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
