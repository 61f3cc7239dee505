#include "ScriptedWindows.h"
#include "TestSupport.h"
#include "core/SharedState.h"
#include "core/frmAboutwtimer.h"
#include "core/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
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

    frmMain* m_main = nullptr;

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void itNamesTheProduct() {
        frmAboutwtimer::showModeless();
        frmAboutwtimer* about = frmAboutwtimer::loaded();
        QCOMPARE(about->windowTitle(), "     About Vellagon, Version 1.050825");
        QCOMPARE(about->lblProductName->text(), "Vellagon");
        QCOMPARE(about->lblCompanyProduct->text(), "Marrowind's");
        QCOMPARE(about->lblVersion->text(), "Version 1.050825");
        QCOMPARE(about->lblPlatform->text(), "");
        QCOMPARE(about->cmdOK->text(), "&Click here to return to Vellagon");
        QCOMPARE(about->ImageList1.size(), 6);
        for (const QPixmap& image : about->ImageList1)
            QVERIFY(!image.isNull());
        QVERIFY(about->Timer1->isActive());
        QCOMPARE(about->Timer1->interval(), 130);
        about->cmdOK->click();
        QVERIFY(!frmAboutwtimer::loaded());
    }

    void theAnimationRunsThroughSixPicturesOfItsOwn() {
        for (int opening = 0; opening < 2; ++opening) {
            frmAboutwtimer::showModeless();
            frmAboutwtimer* about = frmAboutwtimer::loaded();
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
        }
    }

    void oneAtATimeModalOrNot() {
        ScriptedWindows windows;
        bool modal = false;
        windows.answer<frmAboutwtimer>([&](frmAboutwtimer& about) {
            modal = QApplication::activeModalWidget() == &about;
            frmAboutwtimer::showModeless(); // brings this one to the front
            QCOMPARE(m_main->findChildren<frmAboutwtimer*>().size(), 1);
        });
        frmAboutwtimer::showModal();
        QVERIFY(modal);
        QVERIFY(!frmAboutwtimer::loaded());

        frmAboutwtimer::showModeless();
        frmAboutwtimer* open = frmAboutwtimer::loaded();
        QVERIFY(open && open->isVisible() && !QApplication::activeModalWidget());
        frmAboutwtimer::showModal();
        QVERIFY(windows.shown().size() == 1);
        ExitProgram(); // closes it with every other window
        QVERIFY(!frmAboutwtimer::loaded());
    }
};

VELLAGON_TEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
