#include "DialogBoxes.h"

#include "WindowTitles.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

using namespace Dialogs;

namespace {

QWidget* dialogParent() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    int answer;
};

QList<ButtonSpec> buttonsOf(int style) {
    switch (style & 7) {
    case vbOKCancel:
        return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case vbAbortRetryIgnore:
        return {{QMessageBox::Abort, vbAbort},
                {QMessageBox::Retry, vbRetry},
                {QMessageBox::Ignore, vbIgnore}};
    case vbYesNoCancel:
        return {
            {QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case vbYesNo:
        return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case vbRetryCancel:
        return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default:
        return {{QMessageBox::Ok, vbOK}};
    }
}

// "Log files *.mdb|*.mdb|All files *.*|*.*" to Qt's "Log files *.mdb (*.mdb *.MDB);;All files *.*
// (*)". Linux names are case-sensitive, so each extension pattern also matches its upper-case form.
QStringList qtFilters(const QString& vbFilter) {
    QStringList result;
    const QStringList parts = vbFilter.split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern == QLatin1String("*.*")) {
                patterns << QStringLiteral("*");
                continue;
            }
            patterns << pattern;
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
            if (pattern.toLower() != pattern)
                patterns << pattern.toLower();
        }
        result << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(QLatin1Char(' ')));
    }
    return result;
}

bool isPattern(const QString& name) {
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// Lists the files of a pattern, as a filter of its own before the request's.
void showMatching(QFileDialog& dialog, const QString& pattern) {
    const QString filter = qtFilters(pattern + QLatin1Char('|') + pattern).constFirst();
    QStringList filters = dialog.nameFilters();
    filters.removeAll(filter);
    filters.prepend(filter);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filter);
    dialog.selectFile(pattern);
}

std::optional<QString> realFileDialog(const FileRequest& request) {
    QFileDialog dialog(dialogParent(), request.title);
    const QStringList filters = qtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(request.filterIndex - 1));
    QString suffix = request.defaultExt;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (request.mode == FileRequest::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!(request.flags & OverwritePrompt))
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((request.flags & FileMustExist) ? QFileDialog::ExistingFile
                                                           : QFileDialog::AnyFile);
    }
    // Without a folder of its own the dialog starts in the user's documents, not wherever the
    // program happened to be started.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QFileInfo(request.folder).isDir())
        dialog.setDirectory(request.folder);
    else
        dialog.setDirectory(QFileInfo(documents).isDir() ? documents : QDir::homePath());
    if (!request.initialName.isEmpty()) {
        const QFileInfo initial(request.initialName);
        if (initial.isAbsolute() && initial.dir().exists())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    while (dialog.exec() == QDialog::Accepted) {
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty())
            break;
        const QString path = chosen.first();
        // A pattern typed (or left) as the name lists the files it matches; it names no file.
        if (isPattern(QFileInfo(path).fileName())) {
            showMatching(dialog, QFileInfo(path).fileName());
            continue;
        }
        if (request.mode == FileRequest::Open && (request.flags & CreatePrompt) &&
            !QFileInfo::exists(path)) {
            const int answer = Dialogs::msgBox(
                QStringLiteral("%1\nThis file does not exist.\nCreate the file?").arg(path),
                vbYesNo | vbExclamation, request.title);
            if (answer != vbYes)
                continue;
        }
        return path;
    }
    return std::nullopt;
}

// A message box sizes itself to its text each time it lays itself out, with little room for
// the title. A text narrower than the title needs is given that width.
void fitMessageTitle(QMessageBox& box) {
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label || !box.layout())
        return;
    // What stands beside the text in its row (the icon, the margins), measured with a text
    // wider than anything else in the box.
    const int wide = 10000;
    const int ownMinimum = label->minimumWidth();
    label->setMinimumWidth(wide);
    const int besideText = box.layout()->minimumSize().width() - wide;
    label->setMinimumWidth(ownMinimum);
    const int textWidth = label->fontMetrics().size(0, label->text()).width();
    const int needed = WindowTitles::neededWidth(box.windowTitle()) - besideText;
    if (needed > textWidth)
        label->setMinimumWidth(qMax(ownMinimum, needed));
}

QString sizeText(double points) {
    return QLocale::c().toString(points, 'g', 6);
}

// Qt's font dialog takes whole point sizes only: its size box drops a decimal point, so that
// 10.5 typed would be 105. Here the point ends the whole points, and the digits typed right
// after it are dropped (10.5 gives 10).
class WholePointSizes : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress)
                m_fraction = false;
            return false;
        }
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        if (typed == QLatin1String(".") || typed == QLatin1String(",")) {
            m_fraction = true;
            return true;
        }
        if (m_fraction && typed.size() == 1 && typed.at(0).isDigit())
            return true;
        m_fraction = false;
        return false;
    }

private:
    bool m_fraction = false;
};

std::optional<FontChoice> realFontDialog(const FontRequest& request) {
    QFont initial(request.name);
    bool sizeOk = false;
    const double size = request.size.toDouble(&sizeOk);
    if (sizeOk && size > 0)
        initial.setPointSizeF(size);
    QFontDialog dialog(initial, dialogParent());
    if (!request.title.isEmpty())
        dialog.setWindowTitle(request.title);
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>())
        if (qobject_cast<const QIntValidator*>(box->validator()))
            box->installEventFilter(new WholePointSizes(box));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont font = dialog.selectedFont();
    return FontChoice{font.family(), sizeText(font.pointSizeF())};
}

} // namespace

int DialogBoxes::msgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(dialogParent());
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (style & 0x70) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    const QList<ButtonSpec> buttons = buttonsOf(style);
    QList<QAbstractButton*> made;
    for (const ButtonSpec& spec : buttons)
        made << box.addButton(spec.button);
    int defaultIndex = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
    if (defaultIndex >= made.size())
        defaultIndex = 0;
    box.setDefaultButton(qobject_cast<QPushButton*>(made.at(defaultIndex)));
    // Esc means Cancel where there is one, else No, else OK.
    for (int i = made.size() - 1; i >= 0; --i) {
        if (buttons[i].answer == vbCancel || buttons[i].answer == vbNo ||
            buttons[i].answer == vbOK) {
            box.setEscapeButton(made[i]);
            break;
        }
    }
    fitMessageTitle(box);
    box.exec();
    for (int i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return buttons[i].answer;
    return buttons.size() > 1 ? buttons.last().answer : vbOK;
}

std::optional<QString> DialogBoxes::inputBox(const QString& prompt, const QString& title,
                                             const QString& defaultText) {
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    // A long prompt wraps in a box wide enough for its title, rather than widening the box
    // past the screen.
    if (auto* label = dialog.findChild<QLabel*>()) {
        label->setWordWrap(true);
        const QFontMetrics metrics = label->fontMetrics();
        label->setMinimumWidth(qMax(metrics.averageCharWidth() * 56,
                                    metrics.horizontalAdvance(dialog.windowTitle()) + 120));
    }
    WindowTitles::fitTitle(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> DialogBoxes::fileDialog(const FileRequest& request) {
    return realFileDialog(request);
}

std::optional<FontChoice> DialogBoxes::fontDialog(const FontRequest& request) {
    return realFontDialog(request);
}

void DialogBoxes::beep() {
    QApplication::beep();
}
