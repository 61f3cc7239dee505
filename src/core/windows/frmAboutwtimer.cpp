#include "frmAboutwtimer.h"

#include "platform/widgets/Twips.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text, double scale = 1,
              bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setWordWrap(true);
    if (scale != 1 || bold) {
        QFont font = l->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        font.setBold(bold);
        l->setFont(font);
    }
    return l;
}

} // namespace

frmAboutwtimer::frmAboutwtimer(QWidget* parent)
    : OneAtATimeDialog(parent, "frmAboutwtimer",
                       QStringLiteral("     About Vellagon, Version 1.050825")) {
    lblProductName = label(this, "lblProductName", QStringLiteral("Vellagon"), 2.2, true);
    lblCompanyProduct = label(this, "lblCompanyProduct", QStringLiteral("Marrowind's"), 1.2);
    lblVersion = label(this, "lblVersion", QStringLiteral("Version 1.050825"));
    lblPlatform = label(this, "lblPlatform", QString());
    Label1 = label(this, "Label1",
                   QStringLiteral("Every hour of the practice on record, and billed to the cent."),
                   1, true);
    Label2 = label(this, "Label2",
                   QStringLiteral("Time logs, clients, payments and invoices in one file."));
    lblContact = label(this, "lblContact",
                       QStringLiteral("Questions? Help > Get help from the internet answers most "
                                      "of them, with no network needed."));
    lblCopyright = label(this, "lblCopyright", QStringLiteral("Copyright \u00a9 Marrowind's."));
    lblRights = label(this, "lblRights",
                      QStringLiteral("All rights reserved. Copying or passing on this program "
                                     "without its maker's leave is not permitted."));
    cmdOK = new QPushButton(QStringLiteral("&Click here to return to Vellagon"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAboutwtimer::cmdOK_Click);

    for (int i = 1; i <= 6; ++i)
        ImageList1 << QPixmap(QStringLiteral(":/pictures/about-%1.png").arg(i));
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Image1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(130);
    connect(Timer1, &QTimer::timeout, this, &frmAboutwtimer::Timer1_Timer);

    // The picture at the left; the name, maker and version beside it; the rest below both.
    auto* grid = new QGridLayout(this);
    const int gap = Twips::toPixels(120);
    grid->setHorizontalSpacing(Twips::toPixels(360));
    grid->setVerticalSpacing(gap);
    grid->addWidget(Frame1, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblProductName, 0, 1);
    grid->addWidget(lblCompanyProduct, 1, 1);
    grid->addWidget(lblVersion, 2, 1);
    grid->addWidget(lblPlatform, 3, 1);
    int row = 4;
    for (QLabel* below : {Label1, Label2, lblContact, lblCopyright, lblRights})
        grid->addWidget(below, row++, 0, 1, 2);
    grid->setRowMinimumHeight(row++, gap);
    grid->addWidget(cmdOK, row, 0, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    setFixedWidth(Twips::toPixels(6600));
    Form_Load();
    Timer1->start();
}

void frmAboutwtimer::Form_Load() {
    m_frameNumber = 1;
    Image1->setPixmap(ImageList1.at(0));
}

void frmAboutwtimer::Timer1_Timer() {
    if (m_frameNumber == 7)
        m_frameNumber = 1;
    Image1->setPixmap(ImageList1.at(m_frameNumber - 1));
    ++m_frameNumber;
}

void frmAboutwtimer::cmdOK_Click() {
    close();
}

void frmAboutwtimer::done(int result) {
    Timer1->stop();
    OneAtATimeDialog::done(result);
}
